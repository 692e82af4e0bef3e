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

TEST(CommandLine, NoArgumentStartsKerumoAndVersionOrHelpAnswerOnStandardOutput) {
  const Answer none = answer({});
  EXPECT_FALSE(none.status.has_value());
  EXPECT_EQ(none.out + none.err, "");
  const Answer version = answer({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out + version.err, std::string("kerumo ") + KERUMO_VERSION + "\n");
  const Answer help = answer({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.err, "");
  EXPECT_TRUE(help.out.starts_with(std::string("ケルモ（Kerumo）") + KERUMO_VERSION + " - 常駐型のシステムモニター\n"));
  for (const char* said : {"使い方: kerumo [オプション]\n", "  --version    バージョン番号を表示して終了します\n",
                           "kerumo.ini", "$XDG_CONFIG_HOME/kerumo"}) {
    EXPECT_NE(help.out.find(said), std::string::npos) << said;
  }
}

TEST(CommandLine, AnyOtherArgumentGetsTheHelpOnStandardErrorAndStatusTwo) {
  const struct {
    std::vector<const char*> arguments;
    std::string said;
  } refused[] = {
      {{"-h"}, "kerumo: 不明な引数です: -h"},
      {{""}, "kerumo: 不明な引数です: "},
      {{"--version=1"}, "kerumo: 不明な引数です: --version=1"},
      {{"x", "--help"}, "kerumo: 不明な引数です: x"},
      {{"--help", "--version"}, "kerumo: 引数は 1 つしか指定できません: --version"},
      {{"--version", "x"}, "kerumo: 引数は 1 つしか指定できません: x"},
  };
  const std::string help = answer({"--help"}).out;
  for (const auto& r : refused) {
    const Answer a = answer(r.arguments);
    EXPECT_EQ(a.status, 2) << r.said;
    EXPECT_EQ(a.out, "") << r.said;
    EXPECT_EQ(a.err, r.said + "\n\n" + help);
  }
}

}  // namespace
}  // namespace kerumo
