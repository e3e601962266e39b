#include "core/transfer/text_record_reader.h"

#include <cstring>
#include <filesystem>
#include <system_error>

#include "core/document/file_io.h"

namespace vimbo {
namespace {

// Spreadsheet programs start a UTF-8 text with a byte order mark; it is not
// part of the first field.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

TextRecordReader::TextRecordReader(const FieldTokenizer& tokenizer, std::size_t pieceSize)
    : tokenizer_(tokenizer), buffer_(pieceSize < 16 ? 16 : pieceSize, '\0') {}

bool TextRecordReader::Open(const std::string& path) {
  // Only a regular file: opening a named pipe would wait for a writer, and a
  // folder or a device is no text file. The size only guides how much room
  // the records are given.
  file_.reset(OpenRegularFileForReading(path));
  std::error_code error;
  size_ = file_ ? std::filesystem::file_size(path, error) : 0;
  if (error) size_ = 0;
  begin_ = end_ = 0;
  read_ = 0;
  atStart_ = true;
  atEnd_ = false;
  failed_ = false;
  return file_ != nullptr;
}

void TextRecordReader::OpenBytes(std::string bytes) {
  file_.reset();
  buffer_ = std::move(bytes);
  size_ = read_ = buffer_.size();
  begin_ = std::string_view(buffer_).starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
  end_ = buffer_.size();
  atStart_ = false;
  atEnd_ = true;
  failed_ = false;
}

bool TextRecordReader::Next(std::string_view& record) {
  while (true) {
    std::string_view text(buffer_.data() + begin_, end_ - begin_);
    if (tokenizer_.NextCompleteRecord(text, record)) {
      begin_ = end_ - text.size();
      return true;
    }
    if (atEnd_) {
      if (failed_ || text.empty()) return false;
      record = FieldTokenizer::LastRecord(text);
      begin_ = end_;
      return true;
    }
    // The record goes on past what has been read; the scan starts again at
    // its front once more is there. The buffer doubles whenever the record
    // fills half of it, so each byte is scanned a bounded number of times.
    if (!ReadMore()) return false;
  }
}

bool TextRecordReader::ReadMore() {
  if (!file_) {
    atEnd_ = failed_ = true;
    return false;
  }
  const std::size_t kept = end_ - begin_;
  if (kept > buffer_.size() / 2) buffer_.resize(buffer_.size() * 2);
  if (begin_ > 0) std::memmove(buffer_.data(), buffer_.data() + begin_, kept);
  begin_ = 0;
  end_ = kept;
  // Fill the buffer, so that a short read means the end of the file.
  while (end_ < buffer_.size()) {
    const std::size_t got = std::fread(buffer_.data() + end_, 1, buffer_.size() - end_, file_.get());
    end_ += got;
    read_ += got;
    if (got == 0) break;
  }
  if (end_ < buffer_.size()) {
    atEnd_ = true;
    failed_ = std::ferror(file_.get()) != 0;
    file_.reset();
  }
  if (atStart_) {
    atStart_ = false;
    if (std::string_view(buffer_.data(), end_).starts_with(kByteOrderMark)) begin_ = kByteOrderMark.size();
  }
  return true;
}

}  // namespace vimbo
