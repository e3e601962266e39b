#include "core/find/person_text.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "core/find/text_fold.h"
#include "core/records/field_tables.h"

namespace vimbo {

namespace {

template <typename Word>
uint64_t Move(char* to, const char* from) {
  Word word;
  std::memcpy(&word, from, sizeof word);
  std::memcpy(to, &word, sizeof word);
  return word;
}

// Copies `n` bytes in moves of eight, four, two or one that stay within
// both ends: most fields are short, and a call to memcpy for each costs more
// than the copy. Gives the bytes or'ed together, so that the caller learns
// whether they are ASCII without another pass.
uint64_t CopyBytes(char* to, const char* from, std::size_t n) {
  if (n >= 8) {
    uint64_t bits = 0;
    for (std::size_t i = 0; i + 8 < n; i += 8) bits |= Move<uint64_t>(to + i, from + i);
    return bits | Move<uint64_t>(to + n - 8, from + n - 8);
  }
  if (n >= 4) return Move<uint32_t>(to, from) | Move<uint32_t>(to + n - 4, from + n - 4);
  if (n >= 2) return Move<uint16_t>(to, from) | Move<uint16_t>(to + n - 2, from + n - 2);
  return n == 1 ? Move<uint8_t>(to, from) : 0;
}

}  // namespace

void PersonText::Build(const Person& person) {
  person_ = &person;
  digitsMade_ = false;
  shown_ = person.DisplayNameParts();
  // Nearly every person is plain ASCII, whose bytes need no folding.
  if (!Fill(false)) Fill(true);
}

bool PersonText::Fill(bool fold) {
  length_ = 0;
  uint64_t bits = 0;
  const auto append = [&](const CompactText& field) {
    if (field.empty()) return;
    std::string_view line = field;
    if (fold && !IsAscii(line)) {
      folded_.clear();
      AppendFolded(line, folded_);
      line = folded_;
    }
    if (length_ + line.size() + 1 > text_.size()) text_.resize(std::max(2 * text_.size(), length_ + line.size() + 1));
    bits |= CopyBytes(text_.data() + length_, line.data(), line.size());
    length_ += line.size();
    text_[length_++] = '\n';
  };
  for (const CompactText* field : shown_)
    if (field) append(*field);
  nameEnd_ = length_;
  for (const RecordField<Person>& field : kPersonFields) {
    const CompactText& text = person_->*field.member;
    if (&text != shown_[0] && &text != shown_[1]) append(text);
  }
  append(person_->Notes);
  for (const PersonDetail& detail : person_->Details) {
    // A photo's base64 would match words at random.
    if (detail.kind == DetailKind::kPhoto) continue;
    append(detail.value);
    if (detail.kind != DetailKind::kAddress) continue;
    for (const AddressPart& part : kAddressParts) append(detail.*part.member);
  }
  return (bits & 0x8080808080808080ULL) == 0;
}

std::string_view PersonText::PhoneDigits() {
  if (digitsMade_) return digits_;
  digits_.clear();
  const auto appendDigits = [this](std::string_view phone) {
    for (const char c : phone)
      if (c >= '0' && c <= '9') digits_.push_back(c);
    digits_.push_back('\n');
  };
  for (const CompactText* field :
       {&person_->Phone, &person_->WkPhone, &person_->WkExt, &person_->CelPhone, &person_->Pager, &person_->Fax})
    appendDigits(*field);
  for (const PersonDetail& detail : person_->Details)
    if (detail.kind == DetailKind::kPhone) appendDigits(detail.value);
  digitsMade_ = true;
  return digits_;
}

}  // namespace vimbo
