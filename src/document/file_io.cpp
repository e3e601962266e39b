#include "document/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace vimbo {
namespace {

#ifdef _WIN32
long SystemWrite(int fd, const char* data, std::size_t size) {
  return _write(fd, data, static_cast<unsigned>(std::min<std::size_t>(size, 1u << 30)));
}
int FlushToDisk(int fd) { return _commit(fd); }
#else
long SystemWrite(int fd, const char* data, std::size_t size) {
  long written;
  do {
    written = static_cast<long>(::write(fd, data, size));
  } while (written < 0 && errno == EINTR);
  return written;
}
int FlushToDisk(int fd) { return ::fsync(fd); }
#endif

// A file descriptor that is closed however the function leaves.
class FileHandle {
 public:
  explicit FileHandle(int fd) : fd_(fd) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() { Close(); }
  int Get() const { return fd_; }
  bool Close() {
    if (fd_ < 0) return true;
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, std::string_view bytes, WriteChunkFunction writeChunk) {
  while (!bytes.empty()) {
    const long written = writeChunk(fd, bytes.data(), bytes.size());
    if (written <= 0 || static_cast<std::size_t>(written) > bytes.size()) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

#ifndef _WIN32
// Makes the rename itself durable; a failure here is not worth failing the
// save for, since the file is already complete under its name.
void FlushFolder(const std::filesystem::path& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}
#endif

}  // namespace

std::optional<std::string> ReadFileText(const std::string& path) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) return std::nullopt;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return std::nullopt;
  std::string bytes;
  bool ok = std::fseek(file, 0, SEEK_END) == 0;
  const long size = ok ? std::ftell(file) : -1;
  ok = ok && size >= 0 && std::fseek(file, 0, SEEK_SET) == 0;
  if (ok) {
    bytes.resize(static_cast<std::size_t>(size));
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
    ok = !std::ferror(file);
  }
  std::fclose(file);
  if (!ok) return std::nullopt;
  return bytes;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, WriteChunkFunction writeChunk) {
  namespace fs = std::filesystem;
  if (writeChunk == nullptr) writeChunk = SystemWrite;

  std::error_code error;
  fs::path target(path);
  if (fs::is_symlink(target, error)) {
    const fs::path resolved = fs::canonical(target, error);
    if (!error) target = resolved;
  }
  if (target.filename().empty() || fs::is_directory(target, error)) return false;

  // Keep the permissions of the file being replaced; a new file gets the
  // usual ones, less the user's umask.
  struct stat existing {};
  const bool replacing = ::stat(target.string().c_str(), &existing) == 0;

  std::string temporary = (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
#ifdef _WIN32
  if (_mktemp_s(temporary.data(), temporary.size() + 1) != 0) return false;
  FileHandle file(::_open(temporary.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, _S_IREAD | _S_IWRITE));
#else
  FileHandle file(::mkstemp(temporary.data()));
#endif
  if (file.Get() < 0) return false;

  bool ok = WriteAll(file.Get(), bytes, writeChunk);
#ifndef _WIN32
  if (ok) {
    mode_t mode = existing.st_mode & 07777;
    if (!replacing) {
      const mode_t mask = ::umask(0);
      ::umask(mask);
      mode = 0666 & ~mask;
    }
    ::fchmod(file.Get(), mode);
  }
#endif
  ok = ok && FlushToDisk(file.Get()) == 0;
  ok = file.Close() && ok;
  if (ok) {
    fs::rename(temporary, target, error);
    ok = !error;
  }
  if (!ok) {
    fs::remove(temporary, error);
    return false;
  }
#ifndef _WIN32
  FlushFolder(target.parent_path());
#endif
  return true;
}

}  // namespace vimbo
