#pragma once
// Whether a folded word occurs in stored text, searched without folding the
// text where that cannot change the answer: most notes are plain ASCII, and
// a document of a million notes is searched in one pass over their bytes.

#include <string>
#include <string_view>

namespace vimbo {

class FoldedWord {
 public:
  // `folded` comes from AppendFolded.
  explicit FoldedWord(std::string folded);

  const std::string& Text() const { return text_; }
  bool AllDigits() const { return allDigits_; }

  // Whether the word occurs in `bytes` once they are folded. `scratch`
  // holds the folded text of a text that needs it.
  bool OccursIn(std::string_view bytes, std::string& scratch) const;
  // Whether the word, all digits, occurs in the digits of `bytes` read
  // without anything between them: "(217) 555-0108" holds "5550108".
  bool OccursInDigitsOf(std::string_view bytes, std::string& scratch) const;

 private:
  std::string text_;
  bool ascii_ = true;
  bool allDigits_ = false;
};

// Whether `word`, in lower case ASCII, occurs in `text` without regard to
// the case of its ASCII letters. When it does not, `ascii` tells whether
// every byte of `text` is ASCII (the search has seen them all by then).
bool ContainsAsciiCaseless(std::string_view text, std::string_view word, bool& ascii);

}  // namespace vimbo
