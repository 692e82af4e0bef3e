// The core's tests fail on every name the fake reports: a misspelt control
// or menu item in the core must be reported, a known one never.
#include "platform/fake/fake_platform.h"

#include <gtest/gtest.h>

#include "tests/no_form_events.h"

namespace kerumo::testing {
namespace {

TEST(FakePlatform, ANameTheDesignLacksIsReportedAndAKnownOneIsNot) {
  FormDesign design;
  design.name = "FormX";
  design.controls.resize(1);
  design.controls[0].name = "Label1";
  design.menu = MenuDesign{"mnuX", "menu", {{"mnuOne", "one"}}};
  FakePlatform platform;
  std::vector<std::string> reported;
  platform.onUnknownName = [&](const std::string& message) { reported.push_back(message); };
  NoFormEvents events;
  auto window = platform.createForm(design, events);
  window->setCaption("Label1", "a");
  window->setMenuItemChecked("mnuOne", true);
  EXPECT_EQ(platform.form("FormX")->control("Label1").caption, "a");
  EXPECT_TRUE(reported.empty());

  window->setWidth("label1", 10);
  window->setMenuItemChecked("mnuone", true);
  platform.form("FormX")->menuItemChecked("mnuTwo");
  EXPECT_EQ(reported, (std::vector<std::string>{
                          "FormX has no control named \"label1\"",
                          "FormX has no menu item named \"mnuone\"",
                          "FormX has no menu item named \"mnuTwo\"",
                      }));
}

}  // namespace
}  // namespace kerumo::testing
