#include "core/records/compact_text.h"

#include <cstring>
#include <new>
#include <ostream>

namespace vimbo {

namespace {

// A heap block: the length, then the bytes.
constexpr std::size_t kHeader = sizeof(std::size_t);

}  // namespace

void CompactText::Assign(std::string_view text) {
  // The new form is built in full before the old one goes, so assigning a
  // view of this very text is safe.
  std::uint64_t word = 0;
  const std::size_t length = text.size();
  if (length != 0 && length <= kInlineCapacity) {
    std::memcpy(reinterpret_cast<char*>(&word) + kInlineOffset, text.data(), length);
    word |= (static_cast<std::uint64_t>(length) << 1U) | 1U;
  } else if (length != 0) {
    char* block = static_cast<char*>(::operator new(kHeader + length));
    std::memcpy(block, &length, kHeader);
    std::memcpy(block + kHeader, text.data(), length);
    word = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(block));
  }
  Release();
  word_ = word;
}

void CompactText::Release() noexcept {
  if (word_ != 0 && !IsInline()) ::operator delete(Block());
}

CompactText& CompactText::operator=(const CompactText& other) {
  if (this != &other) Assign(other.view());
  return *this;
}

CompactText& CompactText::operator=(CompactText&& other) noexcept {
  if (this != &other) {
    Release();
    word_ = other.word_;
    other.word_ = 0;
  }
  return *this;
}

CompactText& CompactText::operator=(std::string_view text) {
  Assign(text);
  return *this;
}

void PrintTo(const CompactText& text, std::ostream* out) { *out << '"' << text.view() << '"'; }

}  // namespace vimbo
