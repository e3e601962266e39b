#pragma once
// Output gathered in a buffer of fixed size and handed to a sink each time it
// fills, so a document or an export of any size streams to its file without
// the whole text in memory.

#include <cstddef>
#include <cstring>
#include <functional>
#include <memory>
#include <string_view>
#include <utility>

namespace vimbo {

class BufferedOutput {
 public:
  // Takes each full buffer; false when it could not take the bytes.
  using Sink = std::function<bool(std::string_view)>;

  explicit BufferedOutput(Sink sink) : sink_(std::move(sink)), buffer_(new char[kBufferSize]) {}

  void Put(std::string_view bytes) {
    if (bytes.size() > kBufferSize - used_) {
      Overflow(bytes);
      return;
    }
    Copy(buffer_.get() + used_, bytes.data(), bytes.size());
    used_ += bytes.size();
  }

  // Three pieces in a row, with one look at the room left: a field's tag,
  // its text and its closing tag.
  void Put(std::string_view a, std::string_view b, std::string_view c) {
    if (a.size() + b.size() + c.size() > kBufferSize - used_) {
      Put(a);
      Put(b);
      Put(c);
      return;
    }
    char* to = buffer_.get() + used_;
    Copy(to, a.data(), a.size());
    Copy(to + a.size(), b.data(), b.size());
    Copy(to + a.size() + b.size(), c.data(), c.size());
    used_ += a.size() + b.size() + c.size();
  }

  void Put(char c) {
    if (used_ == kBufferSize) Flush();
    buffer_[used_++] = c;
  }

  // Hands on the rest; false when the sink refused any of the bytes.
  bool Finish() {
    Flush();
    return ok_;
  }

 private:
  static constexpr std::size_t kBufferSize = std::size_t{1} << 18;

  // Most pieces are a few bytes long (a tag, a name, a date); copied in two
  // overlapping words, they need no call into the library.
  static void Copy(char* to, const char* from, std::size_t size) {
    if (size > 16) {
      std::memcpy(to, from, size);
    } else if (size >= 8) {
      std::memcpy(to, from, 8);
      std::memcpy(to + size - 8, from + size - 8, 8);
    } else if (size >= 4) {
      std::memcpy(to, from, 4);
      std::memcpy(to + size - 4, from + size - 4, 4);
    } else {
      for (std::size_t i = 0; i < size; ++i) to[i] = from[i];
    }
  }

  void Overflow(std::string_view bytes) {
    Flush();
    if (bytes.size() >= kBufferSize) {
      Hand(bytes);
      return;
    }
    std::memcpy(buffer_.get(), bytes.data(), bytes.size());
    used_ = bytes.size();
  }

  void Flush() {
    Hand({buffer_.get(), used_});
    used_ = 0;
  }

  void Hand(std::string_view bytes) {
    if (ok_ && !bytes.empty()) ok_ = sink_(bytes);
  }

  Sink sink_;
  // Not cleared first: only the bytes put there are ever handed on.
  std::unique_ptr<char[]> buffer_;
  std::size_t used_ = 0;
  bool ok_ = true;
};

}  // namespace vimbo
