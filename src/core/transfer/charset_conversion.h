#pragma once
// Text in the character sets address books declare, made UTF-8 with the C
// library's converter. Whatever comes in, what goes out is valid UTF-8: a
// value that its declared set cannot read is taken as undeclared text.

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace vimbo {

class CharsetConverter {
 public:
  CharsetConverter() = default;
  CharsetConverter(const CharsetConverter&) = delete;
  CharsetConverter& operator=(const CharsetConverter&) = delete;
  ~CharsetConverter();

  // `bytes` in `charset` ("ISO-8859-2", "windows-1251", "Shift_JIS", any
  // case) as UTF-8. An empty, unknown or unusable charset, or bytes that do
  // not fit it, read as undeclared: valid UTF-8 as it is, otherwise
  // Windows-1252.
  std::string ToUtf8(std::string_view bytes, std::string_view charset);

 private:
  // One converter per charset name, opened on first use; the converter's
  // opening costs far more than a short value's conversion.
  std::optional<std::string> Convert(std::string_view bytes, const std::string& name);

  std::map<std::string, void*, std::less<>> open_;
};

// A whole file that starts with a UTF-16 or UTF-32 byte order mark, as
// UTF-8 without the mark; nothing for any other file.
std::optional<std::string> WideFileAsUtf8(std::string_view bytes);

}  // namespace vimbo
