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

AtomicFileWriter::AtomicFileWriter(const std::string& path, WriteChunkFunction writeChunk)
    : writeChunk_(writeChunk ? writeChunk : SystemWrite) {
  namespace fs = std::filesystem;
  std::error_code error;
  target_ = path;
  if (fs::is_symlink(target_, error)) {
    const fs::path resolved = fs::canonical(target_, error);
    if (!error) target_ = resolved;
  }
  if (target_.filename().empty() || fs::is_directory(target_, error)) return;

  // Keep the permissions of the file being replaced; a new file gets the
  // usual ones, less the user's umask.
  struct stat existing {};
  if (::stat(target_.string().c_str(), &existing) == 0) {
    mode_ = existing.st_mode & 07777;
  } else {
#ifndef _WIN32
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode_ = 0666 & ~mask;
#endif
  }

  // A hidden name beside the target, so the rename stays within one file system.
  std::string name(".");
  name.append(target_.filename().string()).append(".XXXXXX");
  temporary_ = (target_.parent_path() / name).string();
#ifdef _WIN32
  if (_mktemp_s(temporary_.data(), temporary_.size() + 1) != 0) return;
  fd_ = ::_open(temporary_.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, _S_IREAD | _S_IWRITE);
#else
  fd_ = ::mkstemp(temporary_.data());
#endif
  ok_ = fd_ >= 0;
}

AtomicFileWriter::~AtomicFileWriter() { Abandon(); }

bool AtomicFileWriter::Append(std::string_view bytes) {
  ok_ = ok_ && WriteAll(fd_, bytes, writeChunk_);
  return ok_;
}

bool AtomicFileWriter::Commit() {
  if (committed_) return true;
  if (!ok_) {
    Abandon();
    return false;
  }
#ifndef _WIN32
  ::fchmod(fd_, static_cast<mode_t>(mode_));
#endif
  bool ok = FlushToDisk(fd_) == 0;
  ok = ::close(fd_) == 0 && ok;
  fd_ = -1;
  std::error_code error;
  if (ok) {
    std::filesystem::rename(temporary_, target_, error);
    ok = !error;
  }
  if (!ok) {
    ok_ = false;
    Abandon();
    return false;
  }
  committed_ = true;
#ifndef _WIN32
  FlushFolder(target_.parent_path());
#endif
  return true;
}

void AtomicFileWriter::Abandon() {
  ok_ = false;
  if (fd_ >= 0) {
    ::close(fd_);
    fd_ = -1;
  }
  if (!committed_ && !temporary_.empty()) {
    std::error_code error;
    std::filesystem::remove(temporary_, error);
    temporary_.clear();
  }
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, WriteChunkFunction writeChunk) {
  AtomicFileWriter file(path, writeChunk);
  file.Append(bytes);
  return file.Commit();
}

}  // namespace vimbo
