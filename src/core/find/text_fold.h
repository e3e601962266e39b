#pragma once
// The form in which find compares text, so that "muller" finds "Müller" and
// "ETIENNE" finds "Étienne": the text read as the form shows it (valid UTF-8
// as UTF-8, other bytes as Windows-1252), letters in lower case and without
// their accents ("Ü" is "u", "ß" is "ss", "Æ" is "ae"), combining accents
// dropped, written as UTF-8.

#include <string>
#include <string_view>

namespace vimbo {

// Appends the folded form of `bytes` to `out`.
void AppendFolded(std::string_view bytes, std::string& out);

// Whether every byte is ASCII, in which case folding only lowers the case.
bool IsAscii(std::string_view bytes);

}  // namespace vimbo
