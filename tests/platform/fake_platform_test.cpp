#include "platform/fake/fake_platform.h"

#include <gtest/gtest.h>

#include "tests/no_form_events.h"

namespace kerumo::testing {
namespace {

FormDesign smallDesign() {
  FormDesign d;
  d.name = "FormX";
  d.controls.resize(2);
  d.controls[0].name = "Label1";
  d.controls[1].name = "Timer1";
  d.controls[1].kind = ControlKind::Timer;
  d.menu = MenuDesign{"mnuX", "menu", {{"mnuOne", "one"}}};
  return d;
}

TEST(FakePlatform, ANameTheDesignLacksIsReportedAndAKnownOneIsNot) {
  FakePlatform platform;
  std::vector<std::string> reported;
  platform.onUnknownName = [&](const std::string& message) { reported.push_back(message); };
  NoFormEvents events;
  auto window = platform.createForm(smallDesign(), events);
  auto& form = *platform.form("FormX");

  window->setCaption("Label1", "a");
  window->setTimerEnabled("Timer1", false);
  window->setMenuItemChecked("mnuOne", true);
  EXPECT_EQ(form.control("Label1").caption, "a");
  EXPECT_TRUE(reported.empty());

  window->setCaption("Lable1", "a");
  window->setWidth("label1", 10);
  window->setTimerEnabled("Timer2", true);
  window->setMenuItemChecked("mnuone", true);
  form.control("Label2");
  form.menuItemChecked("mnuTwo");
  EXPECT_EQ(reported, (std::vector<std::string>{
                          "FormX has no control named \"Lable1\"",
                          "FormX has no control named \"label1\"",
                          "FormX has no control named \"Timer2\"",
                          "FormX has no menu item named \"mnuone\"",
                          "FormX has no control named \"Label2\"",
                          "FormX has no menu item named \"mnuTwo\"",
                      }));
}

}  // namespace
}  // namespace kerumo::testing
