// Where Windows looks for the optional monitoring libraries: beside the
// program, never in the current directory, where anyone may leave a file.
#include <gtest/gtest.h>

#include <sstream>

#include "monitor/resource_info.h"
#include "platform/win32/win32_api.h"
#include "temp_dir.h"
#include "win32_test_support.h"

namespace kerumo {
namespace {

const std::filesystem::path FakeDll = testing::hostPath(KERUMO_STAND_INS "/stand_ins/resinfo.dll");

std::filesystem::path programDirectory() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return std::filesystem::path(path).parent_path();
}

// A copy of the test library, removed again when the test ends.
class PlacedDll {
 public:
  explicit PlacedDll(const std::filesystem::path& folder) : path_(folder / "resinfo.dll") {
    std::filesystem::copy_file(FakeDll, path_, std::filesystem::copy_options::overwrite_existing);
  }
  ~PlacedDll() {
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
  }
  PlacedDll(const PlacedDll&) = delete;
  PlacedDll& operator=(const PlacedDll&) = delete;

 private:
  std::filesystem::path path_;
};

// Works in `folder` for the scope.
class CurrentDirectory {
 public:
  explicit CurrentDirectory(const std::filesystem::path& folder) : old_(std::filesystem::current_path()) {
    std::filesystem::current_path(folder);
  }
  ~CurrentDirectory() { std::filesystem::current_path(old_); }
  CurrentDirectory(const CurrentDirectory&) = delete;
  CurrentDirectory& operator=(const CurrentDirectory&) = delete;

 private:
  std::filesystem::path old_;
};

TEST(WindowsLibrarySearch, ALibraryOnlyInTheCurrentDirectoryIsRefusedAndOneBesideTheProgramIsUsed) {
  const testing::TempDir folder;
  const PlacedDll placed(folder.path());
  const CurrentDirectory inFolder(folder.path());
  std::ostringstream diagnostics;
  auto info = loadResourceInfo(diagnostics);
  // Between the brackets: the system's own words.
  const std::string said = diagnostics.str();
  const std::string start = "kerumo: resinfo.dll を読み込めません（";
  const std::string end = "）。Windows から計測します\n";
  EXPECT_EQ(said.substr(0, start.size()), start) << said;
  EXPECT_TRUE(said.size() > start.size() + end.size() && said.ends_with(end)) << said;
  const PlacedDll beside(programDirectory());
  std::ostringstream used;
  EXPECT_EQ(loadResourceInfo(used)->GetCpuUsage(), 30) << "the test library's scripted figure";
  EXPECT_EQ(used.str(), "kerumo: 計測値は resinfo.dll から読み取ります\n");
}

}  // namespace
}  // namespace kerumo
