#pragma once
// The text of a record field in eight bytes. A document of a million
// contacts holds millions of fields, most of them empty or short, so a field
// costs no allocation when empty, keeps up to seven bytes in place, and
// otherwise points at one heap block that holds its length and its bytes.
// It reads as a std::string_view; it is a value, copied deeply.

#include <bit>
#include <compare>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iosfwd>
#include <string>
#include <string_view>

namespace vimbo {

class CompactText {
 public:
  CompactText() noexcept = default;
  CompactText(std::string_view text) { Assign(text); }                           // NOLINT(google-explicit-constructor)
  CompactText(const char* text) : CompactText(std::string_view(text)) {}         // NOLINT(google-explicit-constructor)
  CompactText(const std::string& text) : CompactText(std::string_view(text)) {}  // NOLINT(google-explicit-constructor)
  CompactText(const CompactText& other) { Assign(other.view()); }
  CompactText(CompactText&& other) noexcept : word_(other.word_) { other.word_ = 0; }
  ~CompactText() { Release(); }

  CompactText& operator=(const CompactText& other);
  CompactText& operator=(CompactText&& other) noexcept;
  CompactText& operator=(std::string_view text);
  CompactText& operator=(const char* text) { return *this = std::string_view(text); }
  CompactText& operator=(const std::string& text) { return *this = std::string_view(text); }

  bool empty() const noexcept { return word_ == 0; }
  std::size_t size() const noexcept {
    if (word_ == 0) return 0;
    if (IsInline()) return static_cast<std::size_t>((word_ & 0xFFU) >> 1U);
    std::size_t length = 0;
    std::memcpy(&length, Block(), sizeof length);
    return length;
  }
  const char* data() const noexcept {
    if (word_ == 0) return "";
    if (IsInline()) return reinterpret_cast<const char*>(&word_) + kInlineOffset;
    return Block() + sizeof(std::size_t);
  }
  const char* begin() const noexcept { return data(); }
  const char* end() const noexcept { return data() + size(); }
  char operator[](std::size_t i) const noexcept { return data()[i]; }
  char front() const noexcept { return data()[0]; }
  char back() const noexcept { return data()[size() - 1]; }

  std::string_view view() const noexcept { return {data(), size()}; }
  operator std::string_view() const noexcept { return view(); }  // NOLINT(google-explicit-constructor)
  std::string str() const { return std::string(view()); }
  // The bytes of the heap block, if the text needs one.
  std::size_t HeapBytes() const noexcept { return IsInline() || empty() ? 0 : size() + sizeof(std::size_t); }
  void clear() noexcept {
    Release();
    word_ = 0;
  }

  // Report lines are built by joining fields to labels.
  friend std::string operator+(std::string a, const CompactText& b) { return a.append(b.view()); }
  friend std::string operator+(const CompactText& a, std::string_view b) {
    std::string joined;
    joined.reserve(a.size() + b.size());
    return joined.append(a.view()).append(b);
  }

  friend bool operator==(const CompactText& a, std::string_view b) noexcept { return a.view() == b; }
  friend std::strong_ordering operator<=>(const CompactText& a, std::string_view b) noexcept { return a.view() <=> b; }

 private:
  // The low bit tells the forms apart: heap blocks are at least 8-aligned,
  // so a pointer has it clear, and text kept in place has it set, with its
  // length in the other bits of the word's lowest byte.
  static constexpr std::size_t kInlineCapacity = sizeof(std::uint64_t) - 1;
  static constexpr std::size_t kTagByte = std::endian::native == std::endian::little ? 0 : 7;
  static constexpr std::size_t kInlineOffset = kTagByte == 0 ? 1 : 0;

  bool IsInline() const noexcept { return (word_ & 1U) != 0; }
  // The word holds a pointer or bytes, so the pointer is kept as a number.
  char* Block() const noexcept {
    return reinterpret_cast<char*>(static_cast<std::uintptr_t>(word_));  // NOLINT(performance-no-int-to-ptr)
  }
  void Assign(std::string_view text);
  void Release() noexcept;

  std::uint64_t word_ = 0;
};

static_assert(sizeof(CompactText) == 8);

// How tests print a field when an expectation fails.
void PrintTo(const CompactText& text, std::ostream* out);

}  // namespace vimbo
