#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <filesystem>
#include <iterator>
#include <new>
#include <string>

#include "core/document/document_writer.h"
#include "core/document/file_io.h"
#include "support/temp_dir.h"

namespace vimbo {
namespace {

namespace fs = std::filesystem;

long WriteHalfThenFail(int fd, const char* data, std::size_t size) {
  static bool wroteHalf = false;
  if (wroteHalf) {
    wroteHalf = false;
    return -1;
  }
  wroteHalf = true;
  return static_cast<long>(::write(fd, data, size / 2));
}

long WriteNothing(int, const char*, std::size_t) { return 0; }

long RunOutOfMemory(int, const char*, std::size_t) { throw std::bad_alloc(); }

// A writer that hands the bytes over in small pieces, as a pipe or a full
// disk might: every piece must be accounted for.
long WriteInPieces(int fd, const char* data, std::size_t size) {
  return static_cast<long>(::write(fd, data, std::min<std::size_t>(size, 7)));
}

// A writer that claims more than it was given.
long WriteTooMuch(int, const char*, std::size_t size) { return static_cast<long>(size + 1); }

// Writes the first few pieces, then reports a full disk.
long WriteThreePiecesThenFail(int fd, const char* data, std::size_t size) {
  static int pieces = 0;
  if (++pieces > 3) {
    pieces = 0;
    errno = ENOSPC;
    return -1;
  }
  return static_cast<long>(::write(fd, data, size));
}

std::size_t FilesIn(const fs::path& folder) {
  return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

TEST(ReadFileText, GivesTheBytesOrNothing) {
  testing::TempDir dir;
  const std::string path = dir.File("a.bin");
  testing::WriteBytes(path, std::string("a\0b\r\n\xff", 6));
  const auto text = ReadFileText(path);
  ASSERT_TRUE(text.has_value());
  EXPECT_EQ(*text, std::string("a\0b\r\n\xff", 6));
  EXPECT_EQ(text->c_str()[6], '\0');

  testing::WriteBytes(path, "");
  EXPECT_EQ(ReadFileText(path), std::string());
  EXPECT_FALSE(ReadFileText(dir.File("missing.tch")).has_value());
  EXPECT_FALSE(ReadFileText(dir.Path().string()).has_value()) << "a folder is not a file";
  ASSERT_EQ(::mkfifo(dir.File("pipe").c_str(), 0600), 0);
  EXPECT_FALSE(ReadFileText(dir.File("pipe")).has_value()) << "a named pipe is refused, not waited on";
  EXPECT_FALSE(ReadFileText("/dev/null").has_value()) << "a device is not a file";
}

TEST(OpenRegularFileForReading, OpensOnlyRegularFilesAndNeverWaits) {
  testing::TempDir dir;
  const std::string path = dir.File("a.bin");
  testing::WriteBytes(path, std::string("a\0b\r\n", 5));
  std::FILE* file = OpenRegularFileForReading(path);
  ASSERT_NE(file, nullptr);
  char bytes[8] = {};
  EXPECT_EQ(std::fread(bytes, 1, sizeof bytes, file), 5u);
  EXPECT_EQ(std::string(bytes, 5), std::string("a\0b\r\n", 5));
  std::fclose(file);

  ASSERT_EQ(::mkfifo(dir.File("pipe").c_str(), 0600), 0);
  for (const std::string& other :
       {dir.File("missing"), dir.Path().string(), dir.File("pipe"), std::string("/dev/null")})
    EXPECT_EQ(OpenRegularFileForReading(other), nullptr) << other;
}

TEST(SafeWrite, ReplacesTheTargetAndLeavesNoTemporaryFile) {
  testing::TempDir dir;
  const std::string path = dir.File("doc.tch");
  ASSERT_TRUE(WriteFileAtomically(path, "first"));
  EXPECT_EQ(testing::ReadBytes(path), "first");
  ASSERT_TRUE(WriteFileAtomically(path, "second, longer"));
  EXPECT_EQ(testing::ReadBytes(path), "second, longer");
  ASSERT_TRUE(WriteFileAtomically(path, ""));
  EXPECT_EQ(testing::ReadBytes(path), "");
  EXPECT_EQ(FilesIn(dir.Path()), 1u);
}

TEST(SafeWrite, FailingWritesLeaveTheTargetByteIdentical) {
  testing::TempDir dir;
  const std::string path = dir.File("doc.tch");
  const std::string original = "original contents\r\n";
  testing::WriteBytes(path, original);
  const std::string replacement(100000, 'z');

  for (WriteChunkFunction writer : {&WriteHalfThenFail, &WriteNothing, &WriteTooMuch, &RunOutOfMemory}) {
    EXPECT_FALSE(WriteFileAtomically(path, replacement, writer));
    EXPECT_EQ(testing::ReadBytes(path), original);
    EXPECT_EQ(FilesIn(dir.Path()), 1u) << "the temporary file is removed";
  }
  EXPECT_TRUE(WriteFileAtomically(path, replacement, &WriteInPieces));
  EXPECT_EQ(testing::ReadBytes(path), replacement);
}

TEST(SafeWrite, FailsWhenTheFolderIsMissingOrIsAFile) {
  testing::TempDir dir;
  testing::WriteBytes(dir.File("plain"), "not a folder");
  DocumentData data;
  EXPECT_FALSE(Write(data, dir.File("missing/doc.tch")).IsDone());
  EXPECT_FALSE(Write(data, dir.File("plain/doc.tch")).IsDone());
  EXPECT_EQ(testing::ReadBytes(dir.File("plain")), "not a folder");
  EXPECT_FALSE(Write(data, dir.Path().string()).IsDone()) << "a folder is not replaced";
  EXPECT_TRUE(fs::is_directory(dir.Path()));
  EXPECT_EQ(FilesIn(dir.Path()), 1u);
}

TEST(SafeWrite, AFailedDocumentSaveKeepsThePreviousDocument) {
  testing::TempDir dir;
  const std::string path = dir.File("doc.tch");
  DocumentData data;
  data.AddDefaultContactTypes();
  ASSERT_TRUE(Write(data, path).IsDone());
  const std::string saved = testing::ReadBytes(path);
  data.user.FName = "Changed";
  for (WriteChunkFunction failing : {&WriteHalfThenFail, &RunOutOfMemory}) {
    const Outcome outcome = Write(data, path, failing);
    EXPECT_TRUE(outcome.IsFailed());
    EXPECT_EQ(outcome.message, "Error saving " + path + ".");
  }
  EXPECT_EQ(testing::ReadBytes(path), saved);
  EXPECT_EQ(FilesIn(dir.Path()), 1u);
}

TEST(SafeWrite, AFailureLateInALargeSaveKeepsThePreviousDocument) {
  testing::TempDir dir;
  const std::string path = dir.File("doc.tch");
  testing::WriteBytes(path, "previous");
  DocumentData data;
  for (int32_t id = 1; id <= 20000; ++id) {
    Contact contact;
    contact.ID = id;
    contact.Description = "A note long enough to fill several pieces of the save.";
    data.contacts.Insert(contact);
  }
  EXPECT_FALSE(Write(data, path, &WriteThreePiecesThenFail).IsDone());
  EXPECT_EQ(testing::ReadBytes(path), "previous");
  EXPECT_EQ(FilesIn(dir.Path()), 1u);
}

TEST(SafeWrite, AWriterLeftWithoutCommitChangesNothing) {
  testing::TempDir dir;
  const std::string path = dir.File("doc.tch");
  testing::WriteBytes(path, "previous");
  {
    AtomicFileWriter writer(path);
    EXPECT_TRUE(writer.Append("half of a new"));
    EXPECT_EQ(testing::ReadBytes(path), "previous") << "the target is untouched while writing";
  }
  EXPECT_EQ(testing::ReadBytes(path), "previous");
  EXPECT_EQ(FilesIn(dir.Path()), 1u);

  AtomicFileWriter writer(path, &WriteNothing);
  EXPECT_FALSE(writer.Append("x"));
  EXPECT_FALSE(writer.Append("y")) << "a failure sticks";
  EXPECT_FALSE(writer.Commit());
  EXPECT_EQ(testing::ReadBytes(path), "previous");
  EXPECT_EQ(FilesIn(dir.Path()), 1u);
}

TEST(SafeWrite, KeepsPermissionsAndFollowsSymbolicLinks) {
  testing::TempDir dir;
  const std::string path = dir.File("doc.tch");
  testing::WriteBytes(path, "old");
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  // Another owner and group, which only the superuser may give; anyone else keeps their own.
  const uid_t owner = ::geteuid() == 0 ? 4321 : ::geteuid();
  const gid_t group = ::geteuid() == 0 ? 4321 : ::getegid();
  ASSERT_EQ(::chown(path.c_str(), owner, group), 0);
  const std::string link = dir.File("link.tch");
  fs::create_symlink(path, link);

  ASSERT_TRUE(WriteFileAtomically(link, "new"));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(testing::ReadBytes(path), "new");
  EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  struct stat saved {};
  ASSERT_EQ(::stat(path.c_str(), &saved), 0);
  EXPECT_EQ(saved.st_uid, owner);
  EXPECT_EQ(saved.st_gid, group);
}

TEST(SafeWrite, ReplacesOnlyRegularFilesTheUserMayWrite) {
  testing::TempDir dir;
  const std::string path = dir.File("doc.tch");
  testing::WriteBytes(path, "kept");
  // Without any write permission a file is read-only also for the superuser.
  fs::permissions(path, fs::perms::owner_read | fs::perms::group_read);
  DocumentData data;
  EXPECT_FALSE(WriteFileAtomically(path, "new"));
  EXPECT_FALSE(Write(data, path).IsDone());
  EXPECT_EQ(testing::ReadBytes(path), "kept");
  EXPECT_EQ(fs::status(path).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::group_read);
  ASSERT_EQ(::mkfifo(dir.File("pipe").c_str(), 0600), 0);
  EXPECT_FALSE(WriteFileAtomically(dir.File("pipe"), "new"));
  EXPECT_TRUE(fs::is_fifo(dir.File("pipe")));
  EXPECT_EQ(FilesIn(dir.Path()), 2u);
}

TEST(SafeWrite, AnyNameTheFolderAcceptsCanBeSaved) {
  testing::TempDir dir;
  for (const std::size_t length : {247u, 248u, 255u}) {
    const std::string path = dir.File(std::string(length - 4, 'n') + ".tch");
    EXPECT_TRUE(WriteFileAtomically(path, "first") && WriteFileAtomically(path, "second")) << length;
    EXPECT_EQ(testing::ReadBytes(path), "second") << length;
  }
  EXPECT_FALSE(WriteFileAtomically(dir.File(std::string(256, 'n')), "x")) << "too long for the file system";
  EXPECT_EQ(FilesIn(dir.Path()), 3u);
}

TEST(SafeWrite, ASaveKilledPartWayLeavesNoFileBehind) {
  testing::TempDir dir;
#ifdef O_TMPFILE
  const int probe = ::open(dir.Path().c_str(), O_TMPFILE | O_WRONLY, 0600);
  if (probe < 0) GTEST_SKIP() << "this file system has no unnamed files";
  ::close(probe);
#else
  GTEST_SKIP() << "this system has no unnamed files";
#endif
  const std::string path = dir.File("doc.tch");
  testing::WriteBytes(path, "previous");
  const pid_t child = ::fork();
  if (child == 0) {
    AtomicFileWriter writer(path);
    writer.Append(std::string(1 << 20, 'x'));
    ::raise(SIGKILL);
  }
  ASSERT_EQ(::waitpid(child, nullptr, 0), child);
  EXPECT_EQ(testing::ReadBytes(path), "previous");
  EXPECT_EQ(FilesIn(dir.Path()), 1u);
}

}  // namespace
}  // namespace vimbo
