#include "textio/field_tokenizer.h"

#include "records/text_rules.h"

namespace vimbo {
namespace {

bool IsOctalDigit(char c) { return c >= '0' && c <= '7'; }

// An unset character (0) never matches, so a zero byte in the data is an
// ordinary character.
bool Is(char c, char wanted) { return wanted != 0 && c == wanted; }

char EscapedCharacter(char c) {
  switch (c) {
    case 'a': return '\a';
    case 'b': return '\b';
    case 'f': return '\f';
    case 'n': return '\n';
    case 'r': return '\r';
    case 't': return '\t';
    case 'v': return '\v';
    default: return c;
  }
}

}  // namespace

void FieldTokenizer::SetCharacters(const std::string& separator, const std::string& encloser) {
  Separator = separator.empty() ? 0 : separator[0];
  if (!encloser.empty()) Encloser = encloser[0];
}

bool FieldTokenizer::NextField(std::string& remaining, std::string& field) const {
  field.clear();
  const std::string_view text = TrimView(remaining);
  const std::size_t n = text.size();
  if (n == 0) {
    remaining.clear();
    return false;
  }

  // Where the rest of the line starts once this field is taken.
  std::size_t rest = n;
  if (Is(text[0], Separator)) {
    rest = 1;
  } else if (!Is(text[0], Encloser)) {
    const std::size_t separator = Separator == 0 ? std::string_view::npos : text.find(Separator);
    if (separator == std::string_view::npos) {
      field.assign(text);
    } else {
      field.assign(text.substr(0, separator));
      rest = separator + 1;
    }
  } else {
    // An enclosed field. The cursor starts on the opening encloser, which the
    // encloser rule drops like a closing one. Running off the end of the text
    // (after a doubled encloser or an escape at the very end) ends the field
    // too, so a malformed line is never read past its end.
    std::size_t i = 0;
    while (i < n) {
      char c = text[i];
      if (i == n - 1) break;  // the closing encloser of the last field
      if (c == '\n' || c == '\r') {
        rest = i + 1;
        break;
      }
      if (Is(c, Encloser)) {
        const char d = text[i + 1];
        if (d == c) {
          field += c;
          i += 2;
          continue;
        }
        if (Is(d, Separator)) {
          rest = i + 2;
          break;
        }
        c = d;
        ++i;
      }
      if (c != '\\') {
        field += c;
        ++i;
        continue;
      }
      if (i + 1 >= n) break;  // a backslash with nothing after it
      const char e = text[i + 1];
      if (IsOctalDigit(e)) {
        std::size_t end = i + 1;
        unsigned code = 0;
        while (end < n && end < i + 4 && IsOctalDigit(text[end])) code = code * 8 + (text[end++] - '0');
        field += static_cast<char>(code % 256);
        i = end;
      } else {
        field += EscapedCharacter(e);
        i += 2;
      }
    }
  }
  const std::size_t start = static_cast<std::size_t>(text.data() - remaining.data());
  remaining.erase(start + n);
  remaining.erase(0, start + rest);
  return true;
}

}  // namespace vimbo
