#pragma once
// The text in which find looks for a person's words: every field that holds
// text on a line of its own, then the notes and each detail's value or
// address parts, so one search per word covers the person and no word, which
// holds no blank, runs from one field into the next. The fields of the
// display name come first, so where a word is found tells whether the name
// holds it. A field that is not all ASCII is folded; the rest are kept as
// stored.

#include <array>
#include <string>
#include <string_view>

#include "core/records/records.h"

namespace vimbo {

class PersonText {
 public:
  void Build(const Person& person);

  std::string_view All() const { return {text_.data(), length_}; }
  // The lines of the fields that make up the display name.
  std::string_view Name() const { return {text_.data(), nameEnd_}; }
  // The digits of each phone field and phone detail, a line per phone: made
  // when first asked for, as only a query word that reads as a phone number
  // needs them.
  std::string_view PhoneDigits();

 private:
  // Writes the lines, folding the fields that need it when `fold` is set;
  // gives whether every byte written is ASCII.
  bool Fill(bool fold);

  const Person* person_ = nullptr;
  std::array<const CompactText*, 2> shown_{};
  // The text is the first `length_` bytes: the string only grows, and a
  // line is copied in without the string's own bookkeeping.
  std::string text_;
  std::size_t length_ = 0;
  std::size_t nameEnd_ = 0;
  std::string folded_;
  std::string digits_;
  bool digitsMade_ = false;
};

}  // namespace vimbo
