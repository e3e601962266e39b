#include "core/transfer/charset_conversion.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>

#include "core/records/text_encoding.h"

namespace vimbo {
namespace {

const auto kFailedOpen = reinterpret_cast<void*>(static_cast<std::intptr_t>(-1));  // NOLINT(performance-no-int-to-ptr)

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - ('a' - 'A')) : c; }

// The name as the converter knows it, or empty for a name that is no plain
// charset name: a file must not pick the converter's options ("//IGNORE")
// or a path.
std::string ConverterName(std::string_view charset) {
  std::string name;
  for (const char c : charset) {
    const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
                       c == '_' || c == '.' || c == ':';
    if (!plain) return {};
    name += UpperAscii(c);
  }
  return name.size() <= 40 ? name : std::string();
}

// Sets in which plain ASCII bytes may mean other characters.
bool RereadsAscii(std::string_view name) {
  return name.starts_with("UTF-16") || name.starts_with("UTF-32") || name.starts_with("UCS") ||
         name.starts_with("UTF-7") || name.starts_with("ISO-2022") || name.starts_with("HZ");
}

bool IsUtf8Name(std::string_view name) { return name == "UTF-8" || name == "UTF8" || name == "US-ASCII"; }

bool IsWindows1252Name(std::string_view name) {
  return name == "WINDOWS-1252" || name == "CP1252" || name == "ISO-8859-1" || name == "ISO8859-1" ||
         name == "LATIN1" || name == "ISO-LATIN-1";
}

}  // namespace

CharsetConverter::~CharsetConverter() {
  for (const auto& [name, converter] : open_)
    if (converter != kFailedOpen) iconv_close(static_cast<iconv_t>(converter));
}

std::string CharsetConverter::ToUtf8(std::string_view bytes, std::string_view charset) {
  if (charset.empty()) return vimbo::ToUtf8(bytes);
  const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<uint8_t>(c) < 0x80; });
  const std::string name = ConverterName(charset);
  // Latin-1 is read as Windows-1252, its superset, as the form shows bytes.
  if ((ascii && !RereadsAscii(name)) || name.empty() || IsUtf8Name(name) || IsWindows1252Name(name))
    return vimbo::ToUtf8(bytes);
  if (std::optional<std::string> converted = Convert(bytes, name)) return std::move(*converted);
  return vimbo::ToUtf8(bytes);
}

std::optional<std::string> CharsetConverter::Convert(std::string_view bytes, const std::string& name) {
  auto held = open_.find(name);
  if (held == open_.end()) held = open_.emplace(name, static_cast<void*>(iconv_open("UTF-8", name.c_str()))).first;
  if (held->second == kFailedOpen) return std::nullopt;
  const auto converter = static_cast<iconv_t>(held->second);
  iconv(converter, nullptr, nullptr, nullptr, nullptr);
  std::string out(bytes.size() * 2 + 16, '\0');
  // iconv's interface takes a non-const input pointer; it does not write
  // through it.
  char* in = const_cast<char*>(bytes.data());
  std::size_t inLeft = bytes.size();
  std::size_t written = 0;
  for (;;) {
    char* to = out.data() + written;
    std::size_t outLeft = out.size() - written;
    const std::size_t result = iconv(converter, &in, &inLeft, &to, &outLeft);
    written = out.size() - outLeft;
    if (result != static_cast<std::size_t>(-1)) break;
    if (errno != E2BIG) return std::nullopt;
    out.resize(out.size() * 2);
  }
  // A stateful set may still have to close its last character.
  for (;;) {
    char* to = out.data() + written;
    std::size_t outLeft = out.size() - written;
    if (iconv(converter, nullptr, nullptr, &to, &outLeft) != static_cast<std::size_t>(-1)) {
      written = out.size() - outLeft;
      break;
    }
    if (errno != E2BIG) return std::nullopt;
    out.resize(out.size() * 2);
  }
  out.resize(written);
  if (!IsValidUtf8(out)) return std::nullopt;
  return out;
}

std::optional<std::string> WideFileAsUtf8(std::string_view bytes) {
  struct Mark {
    std::string_view bytes;
    const char* charset;
  };
  // UTF-32's little-endian mark begins with UTF-16's, so it is tried first.
  static constexpr std::array<Mark, 4> kMarks = {{
      {{"\xFF\xFE\x00\x00", 4}, "UTF-32LE"},
      {{"\x00\x00\xFE\xFF", 4}, "UTF-32BE"},
      {{"\xFF\xFE", 2}, "UTF-16LE"},
      {{"\xFE\xFF", 2}, "UTF-16BE"},
  }};
  for (const Mark& mark : kMarks) {
    if (!bytes.starts_with(mark.bytes)) continue;
    CharsetConverter converter;
    return converter.ToUtf8(bytes.substr(mark.bytes.size()), mark.charset);
  }
  return std::nullopt;
}

}  // namespace vimbo
