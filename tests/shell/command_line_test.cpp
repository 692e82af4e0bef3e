#include "shell/command_line.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "kerumo_version.h"

namespace kerumo {
namespace {

struct Answer {
  std::optional<int> status;
  std::string out;
  std::string err;
};

Answer answer(std::vector<const char*> arguments) {
  arguments.insert(arguments.begin(), "kerumo");
  std::ostringstream out, err;
  const auto status = answerCommandLine(static_cast<int>(arguments.size()), arguments.data(), out, err);
  return {status, out.str(), err.str()};
}

TEST(CommandLine, NoArgumentStartsKerumoQuietly) {
  const Answer a = answer({});
  EXPECT_FALSE(a.status.has_value());
  EXPECT_EQ(a.out + a.err, "");
}

TEST(CommandLine, VersionPrintsTheProjectVersionOnOneLine) {
  const Answer a = answer({"--version"});
  EXPECT_EQ(a.status, 0);
  EXPECT_EQ(a.out, std::string("kerumo ") + KERUMO_VERSION + "\n");
  EXPECT_EQ(a.err, "");
}

TEST(CommandLine, HelpSaysWhatKerumoIsAndWhereItsSettingsLive) {
  const Answer a = answer({"--help"});
  EXPECT_EQ(a.status, 0);
  EXPECT_NE(a.out.find("システムモニター"), std::string::npos);
  EXPECT_NE(a.out.find("kerumo.ini"), std::string::npos);
  EXPECT_NE(a.out.find("~/.config/kerumo"), std::string::npos);
  EXPECT_EQ(a.err, "");
}

TEST(CommandLine, AnyOtherArgumentGetsTheHelpOnStandardErrorAndStatusTwo) {
  const std::vector<std::vector<const char*>> refused = {
      {"-h"}, {"--HELP"}, {"help"}, {""}, {"--version=1"}, {"kerumo.ini"}, {"--help", "--version"}, {"--version", "x"},
  };
  const std::string help = answer({"--help"}).out;
  for (const auto& arguments : refused) {
    const Answer a = answer(arguments);
    const std::string culprit = arguments.size() > 1 ? arguments[1] : arguments[0];
    EXPECT_EQ(a.status, 2) << culprit;
    EXPECT_EQ(a.out, "") << culprit;
    EXPECT_EQ(a.err, "kerumo: 使えない引数です: " + culprit + "\n\n" + help) << culprit;
  }
}

}  // namespace
}  // namespace kerumo
