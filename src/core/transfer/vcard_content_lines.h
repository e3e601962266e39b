#pragma once
// The content lines of a vCard file: its physical lines, ended by LF, CR LF,
// CR alone or CR CR LF, joined where a value goes on (folds, 2.1's soft line
// breaks, and the continuations some writers leave unmarked), each line
// looked at once so that a value of any length is read in time linear in it.

#include <string_view>

namespace vimbo::vcard {

// Where the content lines go, with the number of the physical line each
// starts on.
class ContentLineSink {
 public:
  virtual ~ContentLineSink() = default;
  virtual void Line(std::string_view line, int number) = 0;
  // A fold with nothing before it to continue: the card it is in is broken.
  virtual void Break(const char* why, int number) = 0;
};

// Gives every content line of `text` (UTF-8, without a byte order mark) to
// `sink`, blank lines and comment lines ("#...") left out.
void ReadContentLines(std::string_view text, ContentLineSink& sink);

}  // namespace vimbo::vcard
