// Windows' own words about an error, as they go inside our lines.
#include "platform/system_message.h"

#include <gtest/gtest.h>

namespace kerumo::testing {
namespace {

TEST(SystemMessage, BecomesUtf8WithoutItsOwnFullStopAndLineEnd) {
  const struct {
    std::u16string text;
    std::string tidy;
  } cases[] = {
      {u"指定されたモジュールが見つかりません。\r\n", "指定されたモジュールが見つかりません"},
      {u"The specified module could not be found.\r\n", "The specified module could not be found"},
      {u"プロセスはファイルにアクセスできません。別のプロセスが使用中です。 \r\n",
       "プロセスはファイルにアクセスできません。別のプロセスが使用中です"},
      {u"\U0001F4BE disk", "\xF0\x9F\x92\xBE disk"},
      {std::u16string(u"a\xD800") + u"b", "a\xEF\xBF\xBD" "b"},
      {u"\r\n", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(tidySystemMessage(c.text), c.tidy) << c.tidy;
}

}  // namespace
}  // namespace kerumo::testing
