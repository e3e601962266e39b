#pragma once
// Base64 as cards carry photos: the standard alphabet with "=" padding.

#include <optional>
#include <string>
#include <string_view>

namespace vimbo {

std::string Base64Encode(std::string_view bytes);

// The bytes the text encodes, white space between its characters allowed
// (folded and indented lines leave some); nothing when it is not base64.
std::optional<std::string> Base64Decode(std::string_view text);

// How many bytes the text decodes to, without decoding it: enough to refuse
// an oversized photo before holding it twice.
std::size_t Base64DecodedSize(std::string_view text);

}  // namespace vimbo
