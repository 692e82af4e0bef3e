#include "dialogs/form2.h"

#include <gtest/gtest.h>

#include "dialogs/author.h"
#include "dialogs/form2_controls.h"
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
  FakeForm& about() { return *platform.form(form2::Name); }
  void pointerOver(const char* control) { about().events().onMouseMove(control, 0, 0, 100, 100, MoveOrigin::Pointer); }
  // (colour, underlined) of a link
  std::pair<uint32_t, bool> look(const char* link) {
    const auto& state = about().control(link);
    return {state.foreColour.kind == Colour::Kind::Explicit ? state.foreColour.value : 0xDEFA17, state.underline};
  }
};

constexpr uint32_t Default = 0xDEFA17;  // the system's label colour, never set by hand
constexpr uint32_t Blue = 0xFF0000;

// Each click hands the caption to the shell once and leaves the window open.
TEST_F(Form2Test, OpensModelessWithTheCreditAndBothLinks) {
  EXPECT_EQ(about().text(form2::Label5), std::string("作者\u3000") + AuthorName);
  EXPECT_EQ(about().text(form2::Label6).rfind("mailto:", 0), 0u);
  EXPECT_EQ(about().text(form2::Label1).rfind("https://", 0), 0u);
  EXPECT_EQ(std::count(platform.calls.begin(), platform.calls.end(), "Form2.showModal"), 0);
  about().events().onClick(form2::Label1);
  about().events().onClick(form2::Label1);
  about().events().onClick(form2::Label6);
  about().events().onClick(form2::Label2);
  EXPECT_EQ(platform.shellOpened, (std::vector<std::string>{AuthorWebLink, AuthorWebLink, AuthorMailLink}));
  EXPECT_TRUE(about().isVisible());
}

TEST_F(Form2Test, HoverStateFollowsThePointer) {
  using Look = std::pair<uint32_t, bool>;
  const struct {
    std::vector<const char*> path;
    Look web, mail;
  } cases[] = {
      {{form2::Label1}, {Blue, true}, {0, false}},
      {{form2::Label6}, {0, false}, {Blue, true}},
      {{form2::Label1, form2::Label6}, {0, false}, {Blue, true}},
      {{form2::Label6, form2::Label1}, {Blue, true}, {0, false}},
      {{form2::Label1, ""}, {0, false}, {0, false}},
      {{form2::Label1, form2::Label2}, {Blue, true}, {0, false}},
      {{form2::Label1, form2::Command1}, {Blue, true}, {0, false}},
      {{form2::Label6, form2::Label5}, {0, false}, {Blue, true}},
      {{form2::Label3}, {Default, false}, {Default, false}},
  };
  for (const auto& c : cases) {
    about().events().onClick(form2::Command1);
    form1().mnuab_Click();
    for (const char* control : c.path) pointerOver(control);
    EXPECT_EQ(look(form2::Label1), c.web) << c.path.back();
    EXPECT_EQ(look(form2::Label6), c.mail) << c.path.back();
  }
}

// Modeless: the meter ticks on while it is open.
TEST_F(Form2Test, AboutTwiceLeavesOneWindowWithItsStateAndOkClosesIt) {
  pointerOver(form2::Label1);
  form1().mnuab_Click();
  EXPECT_EQ(std::count(platform.calls.begin(), platform.calls.end(), "createForm Form2"), 1);
  EXPECT_EQ(look(form2::Label1), std::make_pair(Blue, true));
  figures.cpuUsage = 33;
  window().events().onTimer(form1::Timer1);
  EXPECT_EQ(window().control(form1::Label16).caption, "33");
  about().events().onClick(form2::Command1);
  EXPECT_TRUE(about().closed());
  form1().mnuab_Click();
  EXPECT_EQ(std::count(platform.calls.begin(), platform.calls.end(), "createForm Form2"), 2);
  EXPECT_EQ(look(form2::Label1), std::make_pair(Default, false));
  EXPECT_TRUE(about().isVisible());
}

}  // namespace
}  // namespace kerumo
