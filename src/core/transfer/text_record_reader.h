#pragma once
// Reads the records of a delimited text file one at a time, a piece of the
// file at a time, so an import of any size holds only the record at hand.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "core/transfer/field_tokenizer.h"

namespace vimbo {

class TextRecordReader {
 public:
  // Records end where the tokenizer says: at a line break outside an open
  // encloser. `pieceSize` is how much of the file is read at a time.
  explicit TextRecordReader(const FieldTokenizer& tokenizer, std::size_t pieceSize = 1 << 20);

  // False when `path` is not a regular file that can be opened for reading.
  bool Open(const std::string& path);
  // Reads the records of bytes already in memory (standard input, say).
  void OpenBytes(std::string bytes);

  // The next record: one line, or several lines where a line break falls
  // inside an open encloser; without the line break that ends it (a line
  // feed, a carriage return, or both); the last one also without a line
  // break, of any length. A UTF-8 byte order mark at the start of the file is not part
  // of the first record. The view holds until the next call. False at the
  // end of the file and once a read has failed.
  bool Next(std::string_view& record);

  // The file's size when it was opened, and how many of its bytes the
  // records taken so far have used.
  std::uintmax_t Size() const { return size_; }
  std::uintmax_t Taken() const { return read_ - (end_ - begin_); }

  // Whether a read failed: the records taken so far are then not the file's.
  bool Failed() const { return failed_; }

 private:
  bool ReadMore();

  struct CloseFile {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };

  FieldTokenizer tokenizer_;
  std::unique_ptr<std::FILE, CloseFile> file_;
  std::string buffer_;
  std::size_t begin_ = 0;  // the unread bytes are buffer_[begin_, end_)
  std::size_t end_ = 0;
  std::uintmax_t size_ = 0;
  std::uintmax_t read_ = 0;
  bool atStart_ = true;
  bool atEnd_ = false;
  bool failed_ = false;
};

}  // namespace vimbo
