// Replacing the settings file where it is a link, and failing with a cause.
#include "platform/file_replace.h"

#include <sys/mount.h>

#include <gtest/gtest.h>

#include "tests/temp_dir.h"

namespace kerumo {
namespace {

using testing::readFile;
using testing::TempDir;
using testing::writeFile;

TEST(FileReplace, LinkStaysALinkAndItsTargetGetsTheContents) {
  const struct {
    const char* what;
    std::string target;  // as written into the link
  } cases[] = {
      {"relative link into a folder", "dotfiles/kerumo.ini"},
      {"absolute link", ""},  // filled in below
  };
  for (auto c : cases) {
    TempDir dir;
    std::filesystem::create_directory(dir / "dotfiles");
    if (c.target.empty()) c.target = (dir / "dotfiles" / "kerumo.ini").string();
    writeFile(dir / "dotfiles" / "kerumo.ini", "old");
    std::filesystem::create_symlink(c.target, dir / "kerumo.ini");
    ASSERT_FALSE(replaceFileAtomically(dir / "kerumo.ini", "new")) << c.what;
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "kerumo.ini")) << c.what;
    EXPECT_EQ(std::filesystem::read_symlink(dir / "kerumo.ini"), c.target) << c.what;
    EXPECT_EQ(readFile(dir / "dotfiles" / "kerumo.ini"), "new") << c.what;
    EXPECT_FALSE(std::filesystem::exists(dir / "dotfiles" / "kerumo.ini.new")) << c.what;
    EXPECT_FALSE(std::filesystem::exists(dir / "kerumo.ini.new")) << c.what;
  }
}

// Through a chain of links to the last file, and to a file that a dangling
// link names; a leftover or planted temporary beside it is not written through.
TEST(FileReplace, ChainOfLinksLeadsToTheLastFileAndADanglingLinkGetsItsFile) {
  TempDir dir;
  std::filesystem::create_directories(dir / "a" / "b");
  writeFile(dir / "a" / "b" / "real.ini", "old");
  writeFile(dir / "elsewhere", "keep");
  std::filesystem::create_symlink(dir / "elsewhere", dir / "a" / "b" / "real.ini.new");
  std::filesystem::create_symlink("b/real.ini", dir / "a" / "middle.ini");
  std::filesystem::create_symlink("a/middle.ini", dir / "kerumo.ini");
  std::filesystem::create_symlink("a/b/new.ini", dir / "dangling.ini");
  ASSERT_FALSE(replaceFileAtomically(dir / "kerumo.ini", "new"));
  ASSERT_FALSE(replaceFileAtomically(dir / "dangling.ini", "made"));
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "kerumo.ini"));
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "a" / "middle.ini"));
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "dangling.ini"));
  EXPECT_EQ(readFile(dir / "a" / "b" / "real.ini"), "new");
  EXPECT_EQ(readFile(dir / "a" / "b" / "new.ini"), "made");
  EXPECT_EQ(readFile(dir / "elsewhere"), "keep");
}

// A small file system of the test's own; needs the right to mount, as root
// in most containers has.
class SmallFileSystem {
 public:
  explicit SmallFileSystem(const std::filesystem::path& where) : where_(where) {
    std::filesystem::create_directory(where_);
    mounted_ = ::mount("kerumo-test", where_.c_str(), "tmpfs", 0, "size=16k") == 0;
  }
  ~SmallFileSystem() {
    if (mounted_) ::umount(where_.c_str());
  }
  SmallFileSystem(const SmallFileSystem&) = delete;
  SmallFileSystem& operator=(const SmallFileSystem&) = delete;
  bool mounted() const { return mounted_; }
  bool makeReadOnly() { return ::mount(nullptr, where_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0; }

 private:
  std::filesystem::path where_;
  bool mounted_ = false;
};

TEST(FileReplace, FullDiskAndReadOnlyFileSystemAreNamedAndTheOldFileStays) {
  TempDir dir;
  SmallFileSystem disk(dir / "disk");
  if (!disk.mounted()) GTEST_SKIP() << "needs the right to mount a tmpfs";
  const auto path = dir / "disk" / "kerumo.ini";
  writeFile(path, "old");
  const auto full = replaceFileAtomically(path, std::string(64 * 1024, 'x'));
  ASSERT_TRUE(full);
  EXPECT_EQ(full->cause, FileFailureCause::DiskFull);
  EXPECT_EQ(full->step, FileStep::Write);
  EXPECT_EQ(readFile(path), "old");
  EXPECT_FALSE(std::filesystem::exists(dir / "disk" / "kerumo.ini.new"));
  ASSERT_TRUE(disk.makeReadOnly());
  const auto readOnly = replaceFileAtomically(path, "new");
  ASSERT_TRUE(readOnly);
  EXPECT_EQ(readOnly->cause, FileFailureCause::ReadOnlyFileSystem);
  EXPECT_EQ(readFile(path), "old");
}

}  // namespace
}  // namespace kerumo
