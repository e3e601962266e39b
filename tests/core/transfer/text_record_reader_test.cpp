#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>
#include <string_view>
#include <vector>

#include "core/transfer/text_record_reader.h"
#include "support/temp_dir.h"

namespace vimbo {
namespace {

using Records = std::vector<std::string>;

// The records as the tokenizer splits the whole text at once, less a byte
// order mark at the start: what the reader must give, whatever the size of
// the pieces it reads.
Records Whole(const FieldTokenizer& tokenizer, std::string_view text) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  Records records;
  std::string_view record;
  while (tokenizer.NextRecord(text, record)) records.emplace_back(record);
  return records;
}

TEST(TextRecordReader, PiecesOfAnySizeGiveTheRecordsOfTheWholeText) {
  const std::string longLine(5000, 'x');
  const std::string texts[] = {
      "",
      "a,b\nc,d\n",
      std::string("\xEF\xBB\xBF") + "a\r\nb\rc\r\n\r",
      // Quoted values over several lines, their breaks and doubled enclosers
      // falling on every offset of a small piece somewhere in the text.
      "\"12 Main St\r\nPortland, Suite 4\",x\r\nnext\n\"say \"\"hi\"\"\nbye\"\nx\n\"\"\"a\nb\"\ny,\"\"\nz",
      "0123456789abcd,\"ef\r\n\"\"gh\"\"\r\n\",\"\n\",\"\"\"\"\r\n" + std::string(13, ' ') + "\"\n\"\n",
      // A very long line, a very long quoted record, and an encloser left
      // open to the end of the text.
      "first\n" + longLine + "\n\"" + longLine + "\n" + longLine + "\",end\nlast",
      "x\n\"abc\ndef\n" + longLine,
  };
  FieldTokenizer tokenizer;
  tokenizer.SetCharacters(",", "\"");
  testing::TempDir dir;
  const std::string path = dir.File("records.txt");
  for (const std::string& text : texts) {
    testing::WriteBytes(path, text);
    const Records expected = Whole(tokenizer, text);
    for (std::size_t piece : {16, 17, 31, 64, 4096, 1 << 20}) {
      TextRecordReader reader(tokenizer, piece);
      ASSERT_TRUE(reader.Open(path));
      Records read;
      std::string_view record;
      while (reader.Next(record)) read.emplace_back(record);
      EXPECT_FALSE(reader.Failed());
      EXPECT_EQ(read, expected) << "pieces of " << piece << " of " << text.substr(0, 40);
    }
  }
}

TEST(TextRecordReader, OnlyRegularFilesOpen) {
  testing::TempDir dir;
  TextRecordReader reader(FieldTokenizer{});
  EXPECT_FALSE(reader.Open(dir.File("missing.txt")));
  EXPECT_FALSE(reader.Open(dir.Path().string())) << "a folder";
  ASSERT_EQ(::mkfifo(dir.File("pipe").c_str(), 0600), 0);
  EXPECT_FALSE(reader.Open(dir.File("pipe"))) << "a named pipe is refused, not waited on";
  std::string_view record;
  EXPECT_FALSE(reader.Next(record));
}

}  // namespace
}  // namespace vimbo
