#pragma once
// Whole-file reading and safe whole-file writing.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vimbo {

// The file's bytes (std::string keeps a zero byte after them), or nothing
// when the file cannot be opened, sized or read, is not a regular file (a
// folder, a named pipe, a device), or is too large for the memory there is.
// Nothing waits: a named pipe is refused at once instead of blocking the open.
// With a `limit`, only the file's first `limit` bytes are read.
std::optional<std::string> ReadFileText(const std::string& path, std::size_t limit = SIZE_MAX);

// Opens `path` for reading bytes as they are, when it is a regular file, and
// only then: nothing for a folder, a named pipe, a device or a file that
// cannot be opened. The kind is checked on the opened file itself, so a named
// pipe put in the file's place cannot make the open wait for a writer.
std::FILE* OpenRegularFileForReading(const std::string& path);

// Writes one chunk to an open file descriptor, as write(2) does: the number
// of bytes written, or -1. Tests put a failing or short writer in its place.
using WriteChunkFunction = long (*)(int fd, const char* data, std::size_t size);

// Replaces the file at `path` with bytes given in any number of pieces. The
// bytes go to a temporary file in the same folder, which Commit flushes to
// disk and renames over the target in one step, so a failed write never
// truncates or damages an existing document. Where the file system allows,
// the temporary file has no name until it is complete, so a program killed
// part way leaves nothing behind; it then gets a short name of its own for
// the rename, so every name the folder accepts can be saved. Every byte is
// accounted for: a short or failed write, flush or rename makes Commit return
// false, and the temporary file is removed, leaving the target as it was; so
// it is when the writer is destroyed without a Commit. A target that is a
// symbolic link has the file it points to replaced. Only a regular file the
// user may write is replaced (a file without any write permission counts as
// read-only also for the superuser), and it keeps its permissions, its group
// and, where the system allows, its owner.
class AtomicFileWriter {
 public:
  explicit AtomicFileWriter(const std::string& path, WriteChunkFunction writeChunk = nullptr);
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;
  ~AtomicFileWriter();

  // False once anything has failed; later pieces are then not written.
  bool Append(std::string_view bytes);
  bool Commit();

 private:
  void Abandon();
  bool NameUnnamedFile();

  WriteChunkFunction writeChunk_;
  std::filesystem::path target_;
  std::string temporary_;
  unsigned mode_ = 0;
  int fd_ = -1;
  bool ok_ = false;
  bool committed_ = false;
};

// The program's message for a file that could not be written.
std::string SaveErrorMessage(const std::string& path);

// Replaces the file at `path` with `bytes` through an AtomicFileWriter.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, WriteChunkFunction writeChunk = nullptr);

}  // namespace vimbo
