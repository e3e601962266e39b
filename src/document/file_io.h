#pragma once
// Whole-file reading and safe whole-file writing.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vimbo {

// The file's bytes (std::string keeps a zero byte after them), or nothing
// when the file cannot be opened, sized or read.
std::optional<std::string> ReadFileText(const std::string& path);

// Writes one chunk to an open file descriptor, as write(2) does: the number
// of bytes written, or -1. Tests put a failing or short writer in its place.
using WriteChunkFunction = long (*)(int fd, const char* data, std::size_t size);

// Replaces the file at `path` with `bytes`. The bytes go to a temporary file
// in the same folder, which is flushed to disk and then renamed over the
// target in one step, so a failed write never truncates or damages an
// existing document. Every byte is accounted for: a short or failed write,
// flush or rename returns false, removes the temporary file and leaves the
// target as it was. A target that is a symbolic link has the file it points
// to replaced, and a replaced file keeps its permissions.
bool WriteFileAtomically(const std::string& path, std::string_view bytes,
                         WriteChunkFunction writeChunk = nullptr);

}  // namespace vimbo
