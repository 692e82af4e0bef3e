// What stands where a small file is expected, judged without waiting and
// without reading more than allowed; replacing it where it is a link, and
// failing with a cause.
#include "platform/file_read.h"

#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <memory>

#include "platform/file_replace.h"
#include "tests/temp_dir.h"

namespace kerumo::testing {
namespace {

constexpr std::size_t Limit = 64 * 1024;

TEST(FileRead, NamesWhatIsNotARegularFileOrTooLargeWithoutWaitingOnItAndFollowsLinks) {
  TempDir dir;
  ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
  std::filesystem::create_directory(dir / "folder");
  std::filesystem::create_symlink("/dev/zero", dir / "zero");
  std::filesystem::create_symlink(dir / "fifo", dir / "link-to-fifo");
  sockaddr_un address{.sun_family = AF_UNIX, .sun_path = {}};  // the socket file stays when the socket is closed
  std::snprintf(address.sun_path, sizeof address.sun_path, "%s", (dir / "socket").c_str());
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  EXPECT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ::close(fd);
  const auto kindRead = [&](const char* name) {
    return held<NotARegularFile>(readSmallFile(dir / name, Limit)).kind;
  };
  EXPECT_EQ(kindRead("fifo"), FileKind::Fifo);
  EXPECT_EQ(kindRead("link-to-fifo"), FileKind::Fifo);
  EXPECT_EQ(kindRead("folder"), FileKind::Directory);
  EXPECT_EQ(kindRead("zero"), FileKind::CharacterDevice);
  EXPECT_EQ(kindRead("socket"), FileKind::Socket);
  // Sparse: 50 MB to the file system, no disk space.
  { std::ofstream(dir / "large") << "x"; }
  std::filesystem::resize_file(dir / "large", 50'000'000);
  EXPECT_EQ(held<FileTooLarge>(readSmallFile(dir / "large", Limit)).size, 50'000'000u);
  // A link to a file is followed; one to nowhere is a missing file; a loop of
  // them is a failure with its number.
  writeFile(dir / "real", "600\r\n");
  std::filesystem::create_symlink("real", dir / "link");
  std::filesystem::create_symlink(dir / "nowhere", dir / "dangling");
  std::filesystem::create_symlink("b", dir / "a");
  std::filesystem::create_symlink("a", dir / "b");
  EXPECT_EQ(held<std::string>(readSmallFile(dir / "link", Limit)), "600\r\n");
  EXPECT_TRUE(std::holds_alternative<FileMissing>(readSmallFile(dir / "absent", Limit)));
  EXPECT_TRUE(std::holds_alternative<FileMissing>(readSmallFile(dir / "dangling", Limit)));
  const FileFailure loop = held<FileFailure>(readSmallFile(dir / "a", Limit));
  EXPECT_EQ(loop.code, ELOOP);
  EXPECT_EQ(loop.cause, FileFailureCause::Other);
}

// A link stays a link and what it leads to gets the contents: through a
// chain of links to the last file, through an absolute one, and to the file
// that a dangling one names; a leftover or planted temporary beside it is not
// written through, and none is left behind.
TEST(FileReplace, LinksStayLinksAndWhatTheyLeadToGetsTheContents) {
  TempDir dir;
  std::filesystem::create_directories(dir / "a" / "b");
  writeFile(dir / "a" / "b" / "real.ini", "old");
  writeFile(dir / "a" / "b" / "other.ini", "old");
  std::filesystem::create_symlink(dir / "a" / "b" / "other.ini", dir / "absolute.ini");
  writeFile(dir / "elsewhere", "keep");
  std::filesystem::create_symlink(dir / "elsewhere", dir / "a" / "b" / "real.ini.new");
  std::filesystem::create_symlink("b/real.ini", dir / "a" / "middle.ini");
  std::filesystem::create_symlink("a/middle.ini", dir / "kerumo.ini");
  std::filesystem::create_symlink("a/b/new.ini", dir / "dangling.ini");
  ASSERT_FALSE(replaceFileAtomically(dir / "kerumo.ini", "new"));
  ASSERT_FALSE(replaceFileAtomically(dir / "dangling.ini", "made"));
  ASSERT_FALSE(replaceFileAtomically(dir / "absolute.ini", "other"));
  EXPECT_EQ(std::filesystem::read_symlink(dir / "kerumo.ini"), "a/middle.ini");
  EXPECT_EQ(std::filesystem::read_symlink(dir / "a" / "middle.ini"), "b/real.ini");
  EXPECT_EQ(std::filesystem::read_symlink(dir / "dangling.ini"), "a/b/new.ini");
  EXPECT_EQ(std::filesystem::read_symlink(dir / "absolute.ini"), dir / "a" / "b" / "other.ini");
  EXPECT_EQ(readFile(dir / "a" / "b" / "real.ini"), "new");
  EXPECT_EQ(readFile(dir / "a" / "b" / "new.ini"), "made");
  EXPECT_EQ(readFile(dir / "a" / "b" / "other.ini"), "other");
  EXPECT_EQ(readFile(dir / "elsewhere"), "keep");
  for (const char* left : {"kerumo.ini.new", "absolute.ini.new", "a/b/other.ini.new", "a/b/new.ini.new"}) {
    EXPECT_FALSE(std::filesystem::exists(dir / left)) << left;
  }
}

// On a small file system of the test's own; needs the right to mount, as
// root in most containers has.
TEST(FileReplace, FullDiskAndReadOnlyFileSystemAreNamedAndTheOldFileStays) {
  TempDir dir;
  const std::string disk = dir / "disk";
  std::filesystem::create_directory(disk);
  if (::mount("kerumo-test", disk.c_str(), "tmpfs", 0, "size=16k") != 0) {
    GTEST_SKIP() << "needs the right to mount a tmpfs";
  }
  const std::unique_ptr<const char, decltype([](const char* where) { ::umount(where); })> unmount(disk.c_str());
  const auto path = dir / "disk" / "kerumo.ini";
  writeFile(path, "old");
  const auto full = replaceFileAtomically(path, std::string(64 * 1024, 'x'));
  ASSERT_TRUE(full);
  EXPECT_EQ(full->cause, FileFailureCause::DiskFull);
  EXPECT_EQ(full->step, FileStep::Write);
  EXPECT_EQ(readFile(path), "old");
  EXPECT_FALSE(std::filesystem::exists(dir / "disk" / "kerumo.ini.new"));
  ASSERT_EQ(::mount(nullptr, disk.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
  const auto readOnly = replaceFileAtomically(path, "new");
  ASSERT_TRUE(readOnly);
  EXPECT_EQ(readOnly->cause, FileFailureCause::ReadOnlyFileSystem);
  EXPECT_EQ(readFile(path), "old");
}

}  // namespace
}  // namespace kerumo::testing
