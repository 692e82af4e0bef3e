// Replacing the settings file where it is a link, and failing with a cause.
#include "platform/file_replace.h"

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

TEST(FileReplace, ChainOfLinksLeadsToTheLastFile) {
  TempDir dir;
  std::filesystem::create_directories(dir / "a" / "b");
  writeFile(dir / "a" / "b" / "real.ini", "old");
  std::filesystem::create_symlink("b/real.ini", dir / "a" / "middle.ini");
  std::filesystem::create_symlink("a/middle.ini", dir / "kerumo.ini");
  ASSERT_FALSE(replaceFileAtomically(dir / "kerumo.ini", "new"));
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "kerumo.ini"));
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "a" / "middle.ini"));
  EXPECT_EQ(readFile(dir / "a" / "b" / "real.ini"), "new");
}

TEST(FileReplace, DanglingLinkGetsItsFileCreated) {
  TempDir dir;
  std::filesystem::create_directory(dir / "dotfiles");
  std::filesystem::create_symlink("dotfiles/kerumo.ini", dir / "kerumo.ini");
  ASSERT_FALSE(replaceFileAtomically(dir / "kerumo.ini", "new"));
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "kerumo.ini"));
  EXPECT_EQ(readFile(dir / "kerumo.ini"), "new");
}

TEST(FileReplace, LeftoverOrPlantedTemporaryIsNotWrittenThrough) {
  TempDir dir;
  writeFile(dir / "elsewhere", "keep");
  std::filesystem::create_symlink(dir / "elsewhere", dir / "kerumo.ini.new");
  ASSERT_FALSE(replaceFileAtomically(dir / "kerumo.ini", "new"));
  EXPECT_EQ(readFile(dir / "elsewhere"), "keep");
  EXPECT_EQ(readFile(dir / "kerumo.ini"), "new");
}

}  // namespace
}  // namespace kerumo
