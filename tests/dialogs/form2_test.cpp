#include "dialogs/form2.h"

#include <gtest/gtest.h>

#include "dialogs/author.h"
#include "shell/form1_fixture.h"

namespace kerumo {
namespace {

using testing::Form1Test;

class Form2Test : public Form1Test {
 protected:
  void SetUp() override {
    Form1Test::SetUp();
    startWith(testing::StandardSettings);
    form1().mnuab_Click();
  }
  FakeForm& about() { return *platform.form("Form2"); }
  void pointerOver(const char* control) { about().events().onMouseMove(control, 0, 0, 100, 100, MoveOrigin::Pointer); }
  // (colour, underlined) of a link
  std::pair<uint32_t, bool> look(const char* link) {
    const auto& state = about().control(link);
    return {state.foreColour.kind == Colour::Kind::Explicit ? state.foreColour.value : 0xDEFA17, state.underline};
  }
};

constexpr uint32_t Default = 0xDEFA17;  // the system's label colour, never set by hand
constexpr uint32_t Blue = 0xFF0000;

TEST_F(Form2Test, OpensModelessWithTheCreditAndBothLinks) {
  EXPECT_TRUE(about().isVisible());
  EXPECT_EQ(about().design().caption, "");
  EXPECT_TRUE(about().design().showInTaskbar);
  EXPECT_EQ(about().design().frame, FrameStyle::SizableNoCaption);
  EXPECT_EQ(about().text("Label5"), std::string("作者\u3000") + AuthorName);
  EXPECT_EQ(about().text("Label6").rfind("mailto:", 0), 0u);
  EXPECT_EQ(about().text("Label1").rfind("https://", 0), 0u);
  EXPECT_EQ(std::count(platform.calls.begin(), platform.calls.end(), "Form2.showModal"), 0);
}

TEST_F(Form2Test, HoverStateFollowsThePointer) {
  using Look = std::pair<uint32_t, bool>;
  const struct {
    std::vector<const char*> path;
    Look web, mail;
  } cases[] = {
      {{"Label1"}, {Blue, true}, {0, false}},
      {{"Label6"}, {0, false}, {Blue, true}},
      {{"Label1", "Label6"}, {0, false}, {Blue, true}},
      {{"Label6", "Label1"}, {Blue, true}, {0, false}},
      {{"Label1", ""}, {0, false}, {0, false}},
      {{"Label1", "Label2"}, {Blue, true}, {0, false}},
      {{"Label1", "Command1"}, {Blue, true}, {0, false}},
      {{"Label6", "Label5"}, {0, false}, {Blue, true}},
      {{"Label3"}, {Default, false}, {Default, false}},
  };
  for (const auto& c : cases) {
    about().events().onClick("Command1");
    form1().mnuab_Click();
    for (const char* control : c.path) pointerOver(control);
    EXPECT_EQ(look("Label1"), c.web) << c.path.back();
    EXPECT_EQ(look("Label6"), c.mail) << c.path.back();
  }
}

TEST_F(Form2Test, EachClickHandsTheCaptionToTheShellOnce) {
  about().events().onClick("Label1");
  about().events().onClick("Label1");
  about().events().onClick("Label6");
  about().events().onClick("Label2");
  EXPECT_EQ(platform.shellOpened, (std::vector<std::string>{AuthorWebLink, AuthorWebLink, AuthorMailLink}));
  EXPECT_TRUE(about().isVisible());
}

TEST_F(Form2Test, AboutTwiceLeavesOneWindowWithItsState) {
  pointerOver("Label1");
  form1().mnuab_Click();
  EXPECT_EQ(std::count(platform.calls.begin(), platform.calls.end(), "createForm Form2"), 1);
  EXPECT_EQ(look("Label1"), std::make_pair(Blue, true));
}

TEST_F(Form2Test, OkClosesAndReopeningStartsFromTheDesign) {
  pointerOver("Label6");
  about().events().onClick("Command1");
  EXPECT_TRUE(about().closed());
  form1().mnuab_Click();
  EXPECT_EQ(std::count(platform.calls.begin(), platform.calls.end(), "createForm Form2"), 2);
  EXPECT_EQ(look("Label6"), std::make_pair(Default, false));
  EXPECT_TRUE(about().isVisible());
}

TEST_F(Form2Test, TicksGoOnWhileItIsOpen) {
  figures.cpuUsage = 33;
  window().events().onTimer("Timer1");
  EXPECT_EQ(window().control("Label16").caption, "33");
}

}  // namespace
}  // namespace kerumo
