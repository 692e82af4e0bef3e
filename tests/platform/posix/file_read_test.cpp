// What stands where a small file is expected, judged without waiting and
// without reading more than allowed.
#include "platform/file_read.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "tests/temp_dir.h"

namespace kerumo {
namespace {

using testing::TempDir;

constexpr std::size_t Limit = 64 * 1024;

// A listening socket bound at `path`, closed when the test ends.
class BoundSocket {
 public:
  explicit BoundSocket(const std::filesystem::path& path) : fd_(::socket(AF_UNIX, SOCK_STREAM, 0)) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
    EXPECT_EQ(::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  }
  ~BoundSocket() { ::close(fd_); }
  BoundSocket(const BoundSocket&) = delete;
  BoundSocket& operator=(const BoundSocket&) = delete;

 private:
  int fd_;
};

FileKind kindRead(const std::filesystem::path& path) {
  const auto read = readSmallFile(path, Limit);
  EXPECT_TRUE(std::holds_alternative<NotARegularFile>(read)) << path;
  return std::holds_alternative<NotARegularFile>(read) ? std::get<NotARegularFile>(read).kind : FileKind::Other;
}

TEST(FileRead, NamesWhatIsNotARegularFileOrTooLargeWithoutWaitingOnItOrReadingIt) {
  TempDir dir;
  ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
  std::filesystem::create_directory(dir / "folder");
  std::filesystem::create_symlink("/dev/zero", dir / "zero");
  std::filesystem::create_symlink(dir / "fifo", dir / "link-to-fifo");
  const BoundSocket socket(dir / "socket");
  EXPECT_EQ(kindRead(dir / "fifo"), FileKind::Fifo);
  EXPECT_EQ(kindRead(dir / "link-to-fifo"), FileKind::Fifo);
  EXPECT_EQ(kindRead(dir / "folder"), FileKind::Directory);
  EXPECT_EQ(kindRead(dir / "zero"), FileKind::CharacterDevice);
  EXPECT_EQ(kindRead(dir / "socket"), FileKind::Socket);
  // Sparse: 50 MB to the file system, no disk space.
  { std::ofstream(dir / "large") << "x"; }
  std::filesystem::resize_file(dir / "large", 50'000'000);
  const auto large = readSmallFile(dir / "large", Limit);
  ASSERT_TRUE(std::holds_alternative<FileTooLarge>(large));
  EXPECT_EQ(std::get<FileTooLarge>(large).size, 50'000'000u);
}

// A link to a file is followed; one to nowhere is a missing file; a loop of
// them is a failure with its number.
TEST(FileRead, LinksAreFollowedToWhatTheyLeadTo) {
  TempDir dir;
  testing::writeFile(dir / "real", "600\r\n");
  std::filesystem::create_symlink("real", dir / "link");
  std::filesystem::create_symlink(dir / "nowhere", dir / "dangling");
  std::filesystem::create_symlink("b", dir / "a");
  std::filesystem::create_symlink("a", dir / "b");
  EXPECT_EQ(std::get<std::string>(readSmallFile(dir / "link", Limit)), "600\r\n");
  EXPECT_TRUE(std::holds_alternative<FileMissing>(readSmallFile(dir / "absent", Limit)));
  EXPECT_TRUE(std::holds_alternative<FileMissing>(readSmallFile(dir / "dangling", Limit)));
  const auto loop = readSmallFile(dir / "a", Limit);
  ASSERT_TRUE(std::holds_alternative<FileFailure>(loop));
  EXPECT_EQ(std::get<FileFailure>(loop).code, ELOOP);
  EXPECT_EQ(std::get<FileFailure>(loop).cause, FileFailureCause::Other);
}

TEST(FileFailure, MapsErrorNumbersToTheCausesUsersKnow) {
  const struct {
    int code;
    FileFailureCause cause;
  } cases[] = {
      {ENOSPC, FileFailureCause::DiskFull},           {EACCES, FileFailureCause::NoPermission},
      {EPERM, FileFailureCause::NoPermission},        {EROFS, FileFailureCause::ReadOnlyFileSystem},
      {EDQUOT, FileFailureCause::QuotaExceeded},      {EIO, FileFailureCause::InputOutput},
      {EEXIST, FileFailureCause::Other},              {0, FileFailureCause::Other},
  };
  for (const auto& c : cases) EXPECT_EQ(fileFailureCause(c.code), c.cause) << c.code;
}

}  // namespace
}  // namespace kerumo
