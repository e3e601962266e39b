#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/document/simple_xml_parser.h"
#include "support/xml_tree.h"

namespace vimbo {
namespace {

using testing::ParseTree;
using testing::XMLNode;

std::unique_ptr<XMLNode> Parse(const std::string& text) { return ParseTree(text); }

// The position of the syntax error in `text`, or {0, 0} when it parses.
SimpleXMLParser::Exception ErrorAt(const std::string& text) {
  try {
    ParseTree(text);
  } catch (const SimpleXMLParser::Exception& error) {
    return error;
  }
  return {0, 0};
}

bool Fails(const std::string& text) { return ErrorAt(text).line != 0; }

std::vector<std::string> ChildNames(const XMLNode& node) {
  std::vector<std::string> names;
  for (const XMLNode& child : node.Children()) names.emplace_back(child.Name());
  return names;
}

TEST(XMLDeclaration, IsOptionalButOnlyAtTheFirstByte) {
  EXPECT_EQ(Parse("<a/>")->Name(), "a");
  EXPECT_FALSE(Fails("<?xml version=\"1.0\"?>\n<a/>"));
  EXPECT_TRUE(Fails(" <?xml version=\"1.0\"?><a/>"));
  EXPECT_TRUE(Fails("<a/><?xml version=\"1.0\"?>") == false) << "what follows the root is not examined";
}

TEST(XMLDeclaration, MatchesXmlInAnyCaseButTheKeywordsExactly) {
  EXPECT_FALSE(Fails("<?XML version=\"1.0\"?><a/>"));
  EXPECT_FALSE(Fails("<?xMl version='1.0' encoding='windows-1252' ?><a/>"));
  EXPECT_TRUE(Fails("<?xml VERSION=\"1.0\"?><a/>"));
  EXPECT_TRUE(Fails("<?xml version=\"1.0\" ENCODING=\"x\"?><a/>"));
  EXPECT_TRUE(Fails("<?xml version=\"1.0\" standalone=\"yes\"?><a/>"));
  EXPECT_TRUE(Fails("<?xml version=\"1.0'?><a/>"));
  EXPECT_TRUE(Fails("<?xml version=\"\"?><a/>"));
  EXPECT_TRUE(Fails("<?xml version=\"1.0\" encoding=\"8bit\"?><a/>"));
  EXPECT_TRUE(Fails("<?xmlversion=\"1.0\"?><a/>"));
  EXPECT_TRUE(Fails("<?xml-stylesheet href=\"a\"?><a/>"));
}

TEST(XMLDeclaration, KeepsTheVersionText) {
  SimpleXMLParser parser;
  ParseTree(parser, "<a/>");
  EXPECT_EQ(parser.Version(), "1.0");
  ParseTree(parser, "<?xml version = '1.1' ?><a/>");
  EXPECT_EQ(parser.Version(), "1.1");
}

TEST(XMLDeclaration, AByteOrderMarkAtTheVeryStartIsSkipped) {
  EXPECT_EQ(Parse("\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<a/>")->Name(), "a");
  EXPECT_EQ(Parse("\xEF\xBB\xBF<a/>")->Name(), "a");
  EXPECT_EQ(ErrorAt("\xEF\xBB\xBF<a></b>").column, 7) << "the mark takes no column";
  for (const char* text : {"\xEF\xBB\xBF\xEF\xBB\xBF<a/>", " \xEF\xBB\xBF<a/>", "\xEF\xBB<a/>"})
    EXPECT_TRUE(Fails(text));
}

TEST(XMLElements, EmptyElementHasNothing) {
  auto root = Parse("<empty/>");
  EXPECT_EQ(root->Name(), "empty");
  EXPECT_TRUE(root->Children().empty());
  EXPECT_TRUE(root->Attributes().empty());
  EXPECT_EQ(root->Text(), "");
  EXPECT_FALSE(root->IsAbsent());
}

TEST(XMLElements, TextIsEveryRunOfCharacterDataInOrder) {
  auto root = Parse("<a>\r\n\tone<b>inner</b> two\r\n<c/>three</a>");
  EXPECT_EQ(root->Text(), "\r\n\tone two\r\nthree");
  EXPECT_EQ(ChildNames(*root), (std::vector<std::string>{"b", "c"}));
  EXPECT_EQ(root->FindChild("b").Text(), "inner");
}

TEST(XMLElements, FindChildCountsAmongChildrenOfThatName) {
  auto root = Parse("<r><x>1</x><y>2</y><x>3</x></r>");
  EXPECT_EQ(root->FindChild("x", 0).Text(), "1");
  EXPECT_EQ(root->FindChild("x", 1).Text(), "3");
  EXPECT_TRUE(root->FindChild("x", 2).IsAbsent());
  EXPECT_TRUE(root->FindChild("X").IsAbsent()) << "names compare with case";
  const XMLNode& absent = root->FindChild("none");
  EXPECT_TRUE(absent.IsAbsent());
  EXPECT_TRUE(absent.FindChild("x").IsAbsent());
  EXPECT_TRUE(absent.Children().empty());
}

TEST(XMLElements, AttributesKeepOrderDuplicatesAndDecodedValues) {
  auto root = Parse("<a one=\"1\" two = 'x&amp;y' one=\"&#65;\"\tthree='\"'/>");
  const auto attributes = root->Attributes();
  ASSERT_EQ(attributes.size(), 4u);
  EXPECT_EQ(attributes[0].name, "one");
  EXPECT_EQ(attributes[0].value, "1");
  EXPECT_EQ(attributes[1].value, "x&y");
  EXPECT_EQ(attributes[2].value, "A");
  EXPECT_EQ(attributes[3].value, "\"");
  EXPECT_EQ(root->FindAttribute("one")->value, "A") << "the last of a repeated name";
  EXPECT_EQ(root->FindAttribute("four"), nullptr);
}

TEST(XMLElements, AttributeValueErrors) {
  EXPECT_TRUE(Fails("<a b='1\"/>")) << "an apostrophe is not closed by a double quote";
  EXPECT_TRUE(Fails("<a b=\"<\"/>"));
  EXPECT_TRUE(Fails("<a b=1/>"));
  EXPECT_TRUE(Fails("<a b/>"));
  EXPECT_TRUE(Fails("<a b='&bogus;'/>"));
}

TEST(XMLElements, StartAndEndTagErrors) {
  EXPECT_TRUE(Fails(""));
  EXPECT_TRUE(Fails("   "));
  EXPECT_TRUE(Fails("text"));
  EXPECT_TRUE(Fails("<1a/>"));
  EXPECT_TRUE(Fails("<a/ >"));
  EXPECT_TRUE(Fails("<a>"));
  EXPECT_TRUE(Fails("<a></a >x") == false);
  EXPECT_TRUE(Fails("<a></a x>"));
  EXPECT_TRUE(Fails("<a><?pi?></a>"));
  EXPECT_TRUE(Fails("<!DOCTYPE a><a/>"));
  EXPECT_TRUE(Fails("<a><!DOCTYPE b></a>"));
  EXPECT_TRUE(Fails("<a>x]]>y</a>"));
  EXPECT_TRUE(Fails("<a>]]></a>"));
  EXPECT_FALSE(Fails("<a>]] ]>]</a>"));
}

TEST(XMLElements, AMismatchedEndTagReportsItsLine) {
  const auto error = ErrorAt("<a></b>");
  EXPECT_EQ(error.line, 1);
  EXPECT_EQ(error.column, 7);
  EXPECT_EQ(ErrorAt("<a>\r\n  <b>\n</c></a>").line, 3);
}

TEST(XMLElements, LinesCountLineFeedsAndCarriageReturnsAreSkipped) {
  EXPECT_EQ(ErrorAt("<a>\r\n\r\n<").line, 3);
  EXPECT_EQ(ErrorAt("<a>\r\r\n<").line, 2);
  const auto error = ErrorAt("<a>\n\r\rxy&");
  EXPECT_EQ(error.line, 2);
  EXPECT_EQ(error.column, 5) << "of two carriage returns the second is a column";
}

TEST(XMLElements, PositionsCountOnPastTheThirtyTwoBitRange) {
  const SimpleXMLParser::Exception after = SimpleXMLParser::PositionAfter("x\n\r\nab", {2147483647, 9});
  EXPECT_EQ(after.line, 2147483649);
  EXPECT_EQ(after.column, 3);
  EXPECT_EQ(SimpleXMLParser::PositionAfter("xyz", {1, 4294967296}).column, 4294967299);
}

TEST(XMLReferences, DecodeToBytesInText) {
  auto root = Parse("<a>x&amp;y &#65;&#x42;&#x6a; &lt;&gt;&apos;&quot;z</a>");
  EXPECT_EQ(root->Text(), "x&y ABj <>'\"z");
}

TEST(XMLReferences, NumbersGiveTheirLowByteWithoutOverflow) {
  EXPECT_EQ(Parse("<a>&#321;</a>")->Text(), "A");
  EXPECT_EQ(Parse("<a>&#4294967361;</a>")->Text(), "A");
  EXPECT_EQ(Parse("<a>&#99999999999999999999999;</a>")->Text().size(), 1u);
  EXPECT_EQ(Parse("<a>&#xFFFFFFFFFFFFFF41;</a>")->Text(), "A");
  EXPECT_EQ(Parse("<a>&#0;</a>")->Text(), std::string(1, '\0'));
}

TEST(XMLReferences, MalformedOnesFail) {
  for (const char* text : {"<a>&;</a>", "<a>&#;</a>", "<a>&#x;</a>", "<a>&#X41;</a>", "<a>&#65</a>", "<a>&AMP;</a>",
                           "<a>&nbsp;</a>", "<a>&amp</a>", "<a>&</a>", "<a>&#x4g;</a>"})
    EXPECT_TRUE(Fails(text)) << text;
}

TEST(XMLCDATA, IsTextAndNeverMarkup) {
  auto root = Parse("<a>x<![CDATA[<b>&amp;</b>]]>y</a>");
  EXPECT_EQ(root->Text(), "x<b>&amp;</b>y");
  EXPECT_TRUE(root->Children().empty());
  EXPECT_EQ(Parse("<a><![CDATA[]]></a>")->Text(), "");
}

TEST(XMLCDATA, AllowsOnlyPlainBytes) {
  EXPECT_TRUE(Fails("<a><![CDATA[caf\xe9]]></a>"));
  EXPECT_TRUE(Fails("<a><![CDATA[never closed</a>"));
  EXPECT_TRUE(Fails(std::string("<a><![CDATA[x\0]]></a>", 20)));
  EXPECT_FALSE(Fails("<a><![CDATA[\t\r\n~\x7f]]></a>"));
}

TEST(XMLComments, InsideAnElementAreChildrenNamedBang) {
  auto root = Parse("<!-- dropped --><a>x<!-- kept - here -->y</a><!-- after -->");
  EXPECT_EQ(ChildNames(*root), (std::vector<std::string>{"!"}));
  const XMLNode& comment = *root->Children().begin();
  EXPECT_EQ(comment.Text(), " kept - here ");
  EXPECT_FALSE(comment.IsAbsent());
  EXPECT_TRUE(comment.Children().empty());
  EXPECT_TRUE(comment.Attributes().empty());
  EXPECT_EQ(root->Text(), "xy");
}

TEST(XMLComments, MustEndWithDashDashGreaterThan) {
  EXPECT_TRUE(Fails("<a><!-- a -- b --></a>"));
  EXPECT_TRUE(Fails("<a/><!-- never closed"));
  EXPECT_EQ(ErrorAt("<a>\nline two\n<!-- opened on line three\nand never closed").line, 4);
  EXPECT_EQ(ErrorAt("<a>\nline two\n<!-- opened and never closed").line, 3);
}

TEST(XMLBytes, HighBytesStayInTextAndValues) {
  auto root = Parse("<a v=\"\xe9t\xe9\">caf\xe9 \xc3\xa9</a>");
  EXPECT_EQ(root->Text(), "caf\xe9 \xc3\xa9");
  EXPECT_EQ(root->Attributes()[0].value, "\xe9t\xe9");
}

TEST(XMLBytes, AZeroByteEndsTheText) {
  EXPECT_TRUE(Fails(std::string("<a>x\0</a>", 9)));
  EXPECT_TRUE(Fails(std::string("<a b='\0'/>", 10)));
  EXPECT_FALSE(Fails(std::string("<a/>\0garbage", 12)));
  EXPECT_EQ(ParseTree(std::string("<a/>trailing", 4))->Name(), "a") << "only `length` bytes are read";
  EXPECT_TRUE(Fails(std::string("<a>text</a>").substr(0, 8)));
}

TEST(XMLNesting, IsLimitedInsteadOfExhaustingTheStack) {
  const auto nested = [](int depth) {
    std::string text;
    for (int i = 0; i < depth; ++i) text += "<e>\n";
    for (int i = 0; i < depth; ++i) text += "</e>";
    return text;
  };
  EXPECT_FALSE(Fails(nested(SimpleXMLParser::kMaxDepth)));
  const auto error = ErrorAt(nested(SimpleXMLParser::kMaxDepth + 1));
  EXPECT_EQ(error.line, SimpleXMLParser::kMaxDepth + 1);
  EXPECT_EQ(error.column, 2);
  EXPECT_TRUE(Fails(nested(100000)));
}

TEST(XMLTree, OutlivesTheCallersBytes) {
  std::unique_ptr<XMLNode> root;
  {
    std::string bytes = "<a x='1'>t&amp;t<b>u</b></a>";
    root = ParseTree(bytes);
    bytes.assign(bytes.size(), '#');
  }
  EXPECT_EQ(root->Text(), "t&t");
  EXPECT_EQ(root->FindChild("b").Text(), "u");
  EXPECT_EQ(root->Attributes()[0].value, "1");
}

}  // namespace
}  // namespace vimbo
