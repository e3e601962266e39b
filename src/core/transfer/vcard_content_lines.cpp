#include "core/transfer/vcard_content_lines.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "core/records/text_rules.h"
#include "core/transfer/vcard_property.h"

namespace vimbo::vcard {
namespace {

bool IsBase64Text(std::string_view line) {
  return std::all_of(line.begin(), line.end(), [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' || c == '/' ||
           c == '=' || c == ' ' || c == '\t';
  });
}

// Whether a line after a quoted-printable line that ends in "=" is a fold
// that cut an escape ("=" | " C3") rather than the line after a soft break.
bool SplitsEscape(std::string_view line) {
  return line.size() >= 3 && (line[0] == ' ' || line[0] == '\t') && HexDigit(line[1]) >= 0 && HexDigit(line[2]) >= 0;
}

bool EndsInEscape(std::string_view text) {
  std::size_t backslashes = 0;
  while (backslashes < text.size() && text[text.size() - 1 - backslashes] == '\\') ++backslashes;
  return backslashes % 2 == 1;
}

// Joins the physical lines of a file into content lines: folds, 2.1's soft
// line breaks, and the continuations some writers leave unmarked. Each
// physical line is looked at once and appended once, so a value of any
// length is read in time linear in it.
class ContentLines {
 public:
  explicit ContentLines(ContentLineSink& sink) : reader_(sink) {}

  void Physical(std::string_view line, int number) {
    const std::string_view current = Current();
    if (held_ && quotedPrintable_ && !current.empty() && current.back() == '=' && !IsCardEdge(line) &&
        !SplitsEscape(line)) {
      Own();
      current_.pop_back();
      Append(line);
    } else if (!line.empty() && (line.front() == ' ' || line.front() == '\t')) {
      // A fold continues the line before it; after BEGIN or at the start
      // there is nothing to continue, and the card is broken.
      if (!held_ || begins_) {
        Flush();
        reader_.Break("card has a fold with nothing to continue", number);
      } else {
        Append(line.substr(1));
      }
    } else if (held_ && unindented64_ && !line.empty() && IsBase64Text(line)) {
      // 2.1's base64 lines, which some writers leave unindented. Later
      // versions fold every line, a long name as well, so there a line
      // of letters alone may be the start of a property.
      Append(line);
    } else if (held_ && !quotedPrintable_ && !base64_ && !line.empty() && EndsInEscape(current) && !IsCardEdge(line)) {
      // A backslash at the end escapes the line break itself.
      Own();
      current_ += '\n';
      Append(line);
    } else {
      Flush();
      // Comment lines and blank lines hold nothing.
      if (IsBlank(line) || line.front() == '#') return;
      // Most content lines are one physical line, read where it lies.
      single_ = line;
      joined_ = false;
      held_ = true;
      number_ = number;
      begins_ = IsLine(line, "begin:vcard");
      headKnown_ = false;
      scanned_ = 0;
      quoted_ = false;
      quotedPrintable_ = base64_ = unindented64_ = false;
      LearnHead();
    }
  }

  void Flush() {
    if (held_) reader_.Line(Current(), number_);
    held_ = false;
  }

 private:
  std::string_view Current() const { return joined_ ? std::string_view(current_) : single_; }

  // The line gathered from pieces from now on.
  void Own() {
    if (joined_) return;
    current_.assign(single_);
    joined_ = true;
  }

  void Append(std::string_view piece) {
    Own();
    current_.append(piece);
    if (!headKnown_) LearnHead();
  }

  // Finds the head of the line (up to its first colon outside quotes),
  // scanning only what was not scanned before, and learns from it how the
  // value goes on.
  void LearnHead() {
    const std::string_view current = Current();
    for (; scanned_ < current.size(); ++scanned_) {
      const char c = current[scanned_];
      if (c == '"') {
        quoted_ = !quoted_;
      } else if (c == ':' && !quoted_) {
        headKnown_ = true;
        // Most heads name no encoding; only those that may are read.
        const std::string_view head = current.substr(0, scanned_);
        if (head.find(';') == std::string_view::npos) return;
        if (!ContainsNoCase(head, "quoted-printable") && !ContainsNoCase(head, "base64") &&
            !ContainsNoCase(head, "encoding=b"))
          return;
        Property p;
        const std::vector<std::string_view> pieces = Split(head, ';', true);
        for (std::size_t i = 1; i < pieces.size(); ++i) ReadParameter(pieces[i], p);
        quotedPrintable_ = p.quotedPrintable;
        base64_ = p.base64;
        unindented64_ = p.base64 && ContainsNoCase(head, "base64");
        return;
      }
    }
  }

  ContentLineSink& reader_;
  std::string current_;
  std::string_view single_;
  bool joined_ = false;
  bool held_ = false;
  int number_ = 0;
  bool begins_ = false;
  bool headKnown_ = false;
  std::size_t scanned_ = 0;
  bool quoted_ = false;
  bool quotedPrintable_ = false;
  bool base64_ = false;
  bool unindented64_ = false;
};

}  // namespace

void ReadContentLines(std::string_view text, ContentLineSink& sink) {
  ContentLines lines(sink);
  // A line ends at LF, CR LF, CR alone, or any run of CRs before an LF (CR CR
  // LF, as some phones write).
  int number = 0;
  std::size_t start = 0;
  const char* const data = text.data();
  const std::size_t size = text.size();
  while (start <= size) {
    // The next LF, then a CR before it, each found by the C library's scan.
    const void* lineFeed = std::memchr(data + start, '\n', size - start);
    std::size_t end = lineFeed ? static_cast<std::size_t>(static_cast<const char*>(lineFeed) - data) : size;
    if (const void* cr = std::memchr(data + start, '\r', end - start))
      end = static_cast<std::size_t>(static_cast<const char*>(cr) - data);
    lines.Physical(text.substr(start, end - start), ++number);
    if (end == size) break;
    start = end;
    while (start < size && data[start] == '\r') ++start;
    if (start < size && data[start] == '\n') ++start;
  }
  lines.Flush();
}

}  // namespace vimbo::vcard
