#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "core/transfer/field_tokenizer.h"

namespace vimbo {
namespace {

using Fields = std::vector<std::string>;

Fields Split(std::string_view line, const std::string& separator = ",", const std::string& encloser = "\"") {
  FieldTokenizer tokenizer;
  tokenizer.SetCharacters(separator, encloser);
  Fields fields;
  std::string field;
  while (tokenizer.NextField(line, field)) fields.push_back(field);
  EXPECT_EQ(field, "");
  return fields;
}

Fields Records(std::string_view text, const std::string& encloser = "\"") {
  FieldTokenizer tokenizer;
  tokenizer.SetCharacters(",", encloser);
  Fields records;
  std::string_view record;
  while (tokenizer.NextRecord(text, record)) records.emplace_back(record);
  return records;
}

TEST(FieldTokenizer, RecordsEndAtLineFeedsOutsideEnclosers) {
  struct Case {
    std::string_view text;
    Fields records;
  } cases[] = {
      {"", {}},
      {"a,b\nc,d\n", {"a,b", "c,d"}},
      {"a\r\n\n\r\nb", {"a", "", "", "b"}},
      // A break inside an open encloser is part of the record, as written.
      {"\"12 Main St\r\nPortland, Suite 4\",x\r\nnext\n", {"\"12 Main St\r\nPortland, Suite 4\",x", "next"}},
      {"\"a\nb\",\"c\rd\", \"e\r\n\nf\"\ng", {"\"a\nb\",\"c\rd\", \"e\r\n\nf\"", "g"}},
      {"\"say \"\"hi\"\"\nbye\"\nx", {"\"say \"\"hi\"\"\nbye\"", "x"}},
      {"\"\"\"a\nb\"\nx", {"\"\"\"a\nb\"", "x"}},
      // A closed encloser, an empty enclosed value, or enclosers that do not
      // open a field leave the line as it was.
      {"\"a\" \nb", {"\"a\" ", "b"}},
      {"\"a\"x\"y\nb", {"\"a\"x\"y", "b"}},
      {"x,\"\"\nb,\"\"\r\nc", {"x,\"\"", "b,\"\"", "c"}},
      {"a\"b,c\"\nd", {"a\"b,c\"", "d"}},
      {"\"C:\\\"\nnext", {"\"C:\\\"", "next"}},
      // An encloser still open at the end of the text ends the record there.
      {"x\n\"abc\ndef", {"x", "\"abc\ndef"}},
      {"\"", {"\""}},
      // A value closed where the text ends, a separator right after the
      // opening encloser, a closing encloser that is half of a pair.
      {"\"ab\"", {"\"ab\""}},
      {"\",\"\nx", {"\",\"\nx"}},
      {"\",\nx", {"\",", "x"}},
      {"\"ab\"\"\ncd\"\ne", {"\"ab\"\"\ncd\"", "e"}},
  };
  for (const Case& c : cases) EXPECT_EQ(Records(c.text), c.records) << c.text;
  EXPECT_EQ(Records("\"a\nb\"", ""), (Fields{"\"a", "b\""})) << "no encloser";
  EXPECT_EQ(Records("'a\nb'\n\"c\nd\"", "'"), (Fields{"'a\nb'", "\"c", "d\""}));
}

TEST(FieldTokenizer, TakesCharactersFromTheSettingsTexts) {
  FieldTokenizer tokenizer;
  tokenizer.SetCharacters(";x", "'y");
  EXPECT_EQ(tokenizer.Separator, ';');
  EXPECT_EQ(tokenizer.Encloser, '\'');
  tokenizer.SetCharacters("\t", "");
  EXPECT_EQ(tokenizer.Separator, '\t');
  EXPECT_EQ(tokenizer.Encloser, '\'') << "an empty encloser text leaves the encloser as it was";
  FieldTokenizer fresh;
  fresh.SetCharacters(",", "");
  EXPECT_EQ(fresh.Encloser, 0);
}

TEST(FieldTokenizer, ShortensTheRemainingTextFieldByField) {
  FieldTokenizer tokenizer;
  tokenizer.SetCharacters(",", "\"");
  std::string_view line = "\"Smith\",\"John\",555";
  std::string field = "stale";
  ASSERT_TRUE(tokenizer.NextField(line, field));
  EXPECT_EQ(field, "Smith");
  EXPECT_EQ(line, "\"John\",555");
  ASSERT_TRUE(tokenizer.NextField(line, field));
  EXPECT_EQ(field, "John");
  EXPECT_EQ(line, "555");
  ASSERT_TRUE(tokenizer.NextField(line, field));
  EXPECT_EQ(field, "555");
  EXPECT_EQ(line, "");
  field = "stale";
  EXPECT_FALSE(tokenizer.NextField(line, field));
  EXPECT_EQ(field, "");

  std::string_view blank = " \t\r\n\v\f";
  EXPECT_FALSE(tokenizer.NextField(blank, field));
}

TEST(FieldTokenizer, PlainFields) {
  EXPECT_EQ(Split("a,,c"), (Fields{"a", "", "c"}));
  EXPECT_EQ(Split(",a"), (Fields{"", "a"}));
  EXPECT_EQ(Split("a,"), (Fields{"a"})) << "nothing after the last separator gives no field";
  EXPECT_EQ(Split("  a b , c  "), (Fields{"a b ", "c"})) << "only the remaining text is trimmed";
  EXPECT_EQ(Split("a\\nb,c\"d"), (Fields{"a\\nb", "c\"d"})) << "no escapes or enclosers in plain fields";
  EXPECT_EQ(Split("\"O'Neil\",x", ",", ""), (Fields{"\"O'Neil\"", "x"})) << "no encloser: quotes are text";
  EXPECT_EQ(Split("a;b,c", ";", "'"), (Fields{"a", "b,c"}));
  EXPECT_EQ(Split("a|b", "|", "\""), (Fields{"a", "b"}));
  EXPECT_EQ(Split(""), Fields{});
}

TEST(FieldTokenizer, BlankSeparatorsCollapse) {
  EXPECT_EQ(Split("a   b \t c", " "), (Fields{"a", "b", "c"}));
  EXPECT_EQ(Split("a\t\t\tb\t \"c d\"", "\t"), (Fields{"a", "b", "c d"}));
}

TEST(FieldTokenizer, EnclosedFields) {
  EXPECT_EQ(Split("\"a,b\",c"), (Fields{"a,b", "c"}));
  EXPECT_EQ(Split("\"O\"\"Neil\",x"), (Fields{"O\"Neil", "x"}));
  EXPECT_EQ(Split("\"a\"b\",c"), (Fields{"ab", "c"})) << "a stray encloser is dropped";
  EXPECT_EQ(Split("\"abc"), (Fields{"ab"})) << "a last field without its closing encloser loses a character";
  EXPECT_EQ(Split("'It''s',x", ",", "'"), (Fields{"It's", "x"}));
  EXPECT_EQ(Split("\"a\" , b"), (Fields{"a , "})) << "only an encloser right before a separator ends the field";
  EXPECT_EQ(Split("\"\"\"\""), (Fields{"\"\""})) << "the opening encloser pairs with the next one";
}

TEST(FieldTokenizer, PairOfEnclosersIsNotAnEmptyField) {
  EXPECT_EQ(Split("\"\",b,c"), (Fields{"\",b,"}));
  // The doubled encloser is the whole text: the field ends with the text
  // rather than reading past it.
  EXPECT_EQ(Split("\"\""), (Fields{"\""}));
  EXPECT_EQ(Split("x,\"\""), (Fields{"x", "\""}));
}

TEST(FieldTokenizer, LineBreaksStayInAnOpenEncloser) {
  FieldTokenizer tokenizer;
  tokenizer.SetCharacters(",", "\"");
  std::string_view line = "\"ab\rcd\",e";
  std::string field;
  ASSERT_TRUE(tokenizer.NextField(line, field));
  EXPECT_EQ(field, "ab\rcd");
  EXPECT_EQ(line, "e");
  EXPECT_EQ(Split("\"12 Main St\r\nPortland, Suite 4\",\"Hauptstra\xC3\x9F"
                  "e 5\nBerlin\",x"),
            (Fields{"12 Main St\r\nPortland, Suite 4",
                    "Hauptstra\xC3\x9F"
                    "e 5\nBerlin",
                    "x"}));
  EXPECT_EQ(Split("\"say \"\"hi\"\"\r\nbye\",x"), (Fields{"say \"hi\"\r\nbye", "x"}));
  EXPECT_EQ(Split("\"ab\ncd"), (Fields{"ab\nc"})) << "without its closing encloser, a character goes";
  // Once a lone encloser has closed the field, a break ends it as it always did.
  EXPECT_EQ(Split("\"ab\"cd\ref\",g"), (Fields{"abcd", "ef\"", "g"}));
  EXPECT_EQ(Split("\"\"x\ny"), (Fields{"\"x", "y"})) << "a pair that opens the field closes it";
}

TEST(FieldTokenizer, EscapesInEnclosedFields) {
  EXPECT_EQ(Split("\"\\a\\b\\f\\n\\r\\t\\v\",x"), (Fields{"\a\b\f\n\r\t\v", "x"}));
  EXPECT_EQ(Split("\"\\\\\\\"\\q\\,\",x"), (Fields{"\\\"q,", "x"})) << "any other character stands for itself";
  EXPECT_EQ(Split("\"\\101\\12\\0\",x"), (Fields{std::string("A\n\0", 3), "x"}));
  EXPECT_EQ(Split("\"\\1018\",x"), (Fields{"A8", "x"})) << "at most three octal digits";
  EXPECT_EQ(Split("\"\\777\\400\",x"), (Fields{std::string("\xFF\0", 2), "x"})) << "modulo 256";
  EXPECT_EQ(Split("\"\\8\",x"), (Fields{"8", "x"}));
  EXPECT_EQ(Split("\"a\\nb\""), (Fields{"a\nb"}));
  // An escape that ends the text ends the field, as does a lone backslash
  // after a stray encloser.
  EXPECT_EQ(Split("\"a\\n"), (Fields{"a\n"}));
  EXPECT_EQ(Split("\"a\\12"), (Fields{"a\n"}));
  EXPECT_EQ(Split("\"a\"\\"), (Fields{"a"}));
}

TEST(FieldTokenizer, SeparatorWinsOverAnEqualEncloser) {
  EXPECT_EQ(Split("\"a\"\"b", "\"", "\""), (Fields{"", "a", "", "b"}));
}

TEST(FieldTokenizer, ZeroBytesAreOrdinaryText) {
  EXPECT_EQ(Split(std::string("a\0b,c", 5)), (Fields{std::string("a\0b", 3), "c"}));
  EXPECT_EQ(Split(std::string("a\0b", 3), "", ""), (Fields{std::string("a\0b", 3)}));
}

}  // namespace
}  // namespace vimbo
