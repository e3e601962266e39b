#include "core/document/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <new>
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
long SystemRead(int fd, char* data, std::size_t size) {
  return _read(fd, data, static_cast<unsigned>(std::min<std::size_t>(size, 1u << 30)));
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
long SystemRead(int fd, char* data, std::size_t size) {
  long read;
  do {
    read = static_cast<long>(::read(fd, data, size));
  } while (read < 0 && errno == EINTR);
  return read;
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

bool IsRegular(const struct stat& info) { return (info.st_mode & S_IFMT) == S_IFREG; }

// Opens `path` for reading when it is a regular file, and only then. The open
// itself does not wait, as an ordinary open of a named pipe without a writer
// would, for ever.
int OpenRegularFile(const std::string& path) {
#ifdef _WIN32
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return -1;
  return ::_open(path.c_str(), _O_RDONLY | _O_BINARY);
#else
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return -1;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !IsRegular(info)) {
    ::close(fd);
    return -1;
  }
  // Reads then wait for the bytes as usual; only the open was not to wait.
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return fd;
#endif
}

// The size the file has now (at most `limit`), then as many of those bytes as
// it still holds.
std::optional<std::string> ReadOpenFile(int fd, std::size_t limit) {
  struct stat info {};
  if (::fstat(fd, &info) != 0 || info.st_size < 0) return std::nullopt;
  std::string bytes;
  const std::uintmax_t size = std::min<std::uintmax_t>(static_cast<std::uintmax_t>(info.st_size), limit);
  if (size > bytes.max_size()) return std::nullopt;
  bytes.resize(static_cast<std::size_t>(size));
  std::size_t got = 0;
  while (got < bytes.size()) {
    const long read = SystemRead(fd, bytes.data() + got, bytes.size() - got);
    if (read < 0) return std::nullopt;
    if (read == 0) break;
    got += static_cast<std::size_t>(read);
  }
  bytes.resize(got);
  return bytes;
}

#ifndef _WIN32
// Whether this program may change the existing file, as opposed to the folder
// that holds it: a rename needs no more than the folder's permission. The
// superuser may write any file, so a file nobody may write counts as read-only
// for the superuser as well.
bool MayWrite(const std::filesystem::path& path, const struct stat& existing) {
  if ((existing.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return false;
  return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

// Gives the new file the replaced file's owner and group where the system
// allows: both for the superuser, the group for a member of it. Otherwise the
// file is the saving user's, as any new file is.
bool KeepOwnerAndGroup(int fd, const struct stat& existing) {
  return ::fchown(fd, existing.st_uid, existing.st_gid) == 0 ||
         ::fchown(fd, static_cast<uid_t>(-1), existing.st_gid) == 0;
}

// Makes the rename itself durable; a failure here is not worth failing the
// save for, since the file is already complete under its name.
void FlushFolder(const std::filesystem::path& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}
#endif

// Temporary files are hidden and short, whatever the length of the target's
// name, so that a target of the longest name the folder accepts can be saved.
constexpr const char* kTemporaryPrefix = ".vimbo-save-";

#ifdef O_TMPFILE
// A temporary name not yet used in `folder`, as far as chance allows; the
// caller creates it exclusively and tries again when it exists after all.
std::filesystem::path RandomTemporaryName(const std::filesystem::path& folder) {
  static std::atomic<std::uint64_t> counter{0};
  std::uint64_t bits = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
                       (counter.fetch_add(1) * 0x9E3779B97F4A7C15ULL);
  bits ^= static_cast<std::uint64_t>(::getpid()) << 40;
  // One round of a 64-bit mixer spreads the few changing bits over all of them.
  bits = (bits ^ (bits >> 30)) * 0xBF58476D1CE4E5B9ULL;
  bits = (bits ^ (bits >> 27)) * 0x94D049BB133111EBULL;
  bits ^= bits >> 31;
  constexpr std::string_view kLetters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::string name(kTemporaryPrefix);
  for (int i = 0; i < 8; ++i, bits /= kLetters.size()) name += kLetters[bits % kLetters.size()];
  return folder / name;
}
#endif

}  // namespace

std::optional<std::string> ReadFileText(const std::string& path, std::size_t limit) {
  const int fd = OpenRegularFile(path);
  if (fd < 0) return std::nullopt;
  std::optional<std::string> bytes;
  try {
    bytes = ReadOpenFile(fd, limit);
  } catch (const std::bad_alloc&) {
    // A file larger than the memory there is cannot be read, like any other.
  }
  ::close(fd);
  return bytes;
}

std::FILE* OpenRegularFileForReading(const std::string& path) {
  const int fd = OpenRegularFile(path);
  if (fd < 0) return nullptr;
#ifdef _WIN32
  std::FILE* file = ::_fdopen(fd, "rb");
  if (!file) ::_close(fd);
#else
  std::FILE* file = ::fdopen(fd, "rb");
  if (!file) ::close(fd);
#endif
  return file;
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
  if (target_.filename().empty()) return;

  // Keep the permissions of the file being replaced; a new file gets the
  // usual ones, less the user's umask.
  struct stat existing {};
  const bool replacing = ::stat(target_.string().c_str(), &existing) == 0;
  if (replacing) {
    // A folder, a device or a named pipe is never swapped for a file.
    if (!IsRegular(existing)) return;
#ifndef _WIN32
    if (!MayWrite(target_, existing)) return;
#else
    if ((existing.st_mode & _S_IWRITE) == 0) return;
#endif
    mode_ = existing.st_mode & 07777;
  } else {
#ifndef _WIN32
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode_ = 0666 & ~mask;
#endif
  }

  // The temporary file lies beside the target, so the rename stays within
  // one file system.
  const fs::path folder = target_.parent_path();
#ifdef O_TMPFILE
  fd_ = ::open(folder.empty() ? "." : folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
#endif
  if (fd_ < 0) {
    temporary_ = (folder / kTemporaryPrefix).string().append("XXXXXX");
#ifdef _WIN32
    if (_mktemp_s(temporary_.data(), temporary_.size() + 1) == 0)
      fd_ = ::_open(temporary_.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, _S_IREAD | _S_IWRITE);
#else
    fd_ = ::mkstemp(temporary_.data());
#endif
    if (fd_ < 0) temporary_.clear();
  }
#ifndef _WIN32
  if (fd_ >= 0 && replacing) KeepOwnerAndGroup(fd_, existing);
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
  if (ok && temporary_.empty()) ok = NameUnnamedFile();
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

// A link cannot take the place of an existing name, so the complete unnamed
// file is linked under a temporary name of its own and then renamed over the
// target. Only a crash between those two steps leaves a file behind.
bool AtomicFileWriter::NameUnnamedFile() {
#ifdef O_TMPFILE
  char self[64];
  std::snprintf(self, sizeof self, "/proc/self/fd/%d", fd_);
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string name = RandomTemporaryName(target_.parent_path()).string();
    int result = ::linkat(AT_FDCWD, self, AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW);
    // Without /proc, the descriptor itself, which needs a newer system or more privilege.
    if (result != 0 && errno == ENOENT) result = ::linkat(fd_, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH);
    if (result == 0) {
      temporary_ = name;
      return true;
    }
    if (errno != EEXIST) return false;
  }
#endif
  return false;
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

std::string SaveErrorMessage(const std::string& path) { return "Error saving " + path + "."; }

bool WriteFileAtomically(const std::string& path, std::string_view bytes, WriteChunkFunction writeChunk) {
  // Running out of memory is a failed write like any other: the writer's
  // destructor removes its temporary file and the target stays as it was.
  try {
    AtomicFileWriter file(path, writeChunk);
    file.Append(bytes);
    return file.Commit();
  } catch (const std::bad_alloc&) {
    return false;
  }
}

}  // namespace vimbo
