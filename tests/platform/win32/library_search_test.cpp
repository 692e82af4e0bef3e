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

// A copy of the test library in `folder`, removed again when the scope ends.
testing::AtScopeEnd placeDll(const std::filesystem::path& folder) {
  const std::filesystem::path path = folder / "resinfo.dll";
  std::filesystem::copy_file(FakeDll, path, std::filesystem::copy_options::overwrite_existing);
  return testing::AtScopeEnd([path] {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
  });
}

TEST(WindowsLibrarySearch, ALibraryOnlyInTheCurrentDirectoryIsRefusedAndOneBesideTheProgramIsUsed) {
  const testing::TempDir folder;
  const auto placed = placeDll(folder.path());
  const std::filesystem::path old = std::filesystem::current_path();
  std::filesystem::current_path(folder.path());
  const testing::AtScopeEnd back([&] { std::filesystem::current_path(old); });
  std::ostringstream diagnostics;
  auto info = loadResourceInfo(diagnostics);
  // Between the brackets: the system's own words.
  const std::string said = diagnostics.str();
  const std::string start = "kerumo: resinfo.dll を読み込めません（";
  const std::string end = "）。Windows から計測します\n";
  EXPECT_EQ(said.substr(0, start.size()), start) << said;
  EXPECT_TRUE(said.size() > start.size() + end.size() && said.ends_with(end)) << said;
  const auto beside = placeDll(programDirectory());
  std::ostringstream used;
  EXPECT_EQ(loadResourceInfo(used)->GetCpuUsage(), 30) << "the test library's scripted figure";
  EXPECT_EQ(used.str(), "kerumo: 計測値は resinfo.dll から読み取ります\n");
}

}  // namespace
}  // namespace kerumo
