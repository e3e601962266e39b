#pragma once
// Whether a folded word occurs in stored text, searched without folding the
// text where that cannot change the answer: most notes are plain ASCII, and
// a document of a million notes is searched in one pass over their bytes.

#include <cstddef>
#include <string>
#include <string_view>

namespace vimbo {

class FoldedWord {
 public:
  // `folded` comes from AppendFolded.
  explicit FoldedWord(std::string folded);

  const std::string& Text() const { return text_; }
  // The digits of a word that reads as a phone number, or nothing.
  const std::string& PhoneDigits() const { return phoneDigits_; }

  // Whether the word occurs in `bytes` once they are folded. `scratch`
  // holds the folded text of a text that needs it.
  bool OccursIn(std::string_view bytes, std::string& scratch) const;
  // Where the word first occurs in `text`, or npos. `text` is lines, each
  // either folded or all ASCII as stored; the word lies within one line.
  std::size_t FindIn(std::string_view text) const;

 private:
  std::string text_;
  bool ascii_ = true;
  std::string phoneDigits_;
};

// Where `word`, in lower case ASCII, first occurs in `text` without regard
// to the case of its ASCII letters; npos when it does not, and then `ascii`
// tells whether every byte of `text` is ASCII (the search has seen them all
// by then). An empty word occurs at 0.
std::size_t FindAsciiCaseless(std::string_view text, std::string_view word, bool& ascii);

}  // namespace vimbo
