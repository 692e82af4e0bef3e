// The two dialogs of the meter's menu: the warning settings and the about box.
#include <gtest/gtest.h>

#include "dialogs/author.h"
#include "dialogs/form2_controls.h"
#include "dialogs/form3_controls.h"
#include "shell/form1_fixture.h"

namespace kerumo::testing {
namespace {

// Opens the dialog from the menu and lets `act` work on it while it is open.
class Form3Test : public Form1Test {
 protected:
  void SetUp() override { startWith("600\r\n900\r\n0\r\n1\r\n0\r\n10\r\n10\r\n"); }
  void openDialog(const std::function<void(FakeForm&)>& act) {
    platform.onShowModal = [&](FakeForm& dialog) {
      if (dialog.design().name == form3::Name) act(dialog);
    };
    form1().mnuKeikoku_Click();
  }
  // `refused` runs in the dialog when it stays open after the click.
  void confirmWith(const std::string& memory, const std::string& resources,
                   const std::function<void(FakeForm&)>& refused = {}) {
    openDialog([&](FakeForm& dialog) {
      dialog.typeText(form3::Text1, memory);
      dialog.typeText(form3::Text2, resources);
      dialog.events().onClick(form3::Command1);
      if (refused) refused(dialog);
    });
  }
  bool timerRunning() { return window().control(form1::Timer1).timerEnabled; }
};

TEST_F(Form3Test, LoadFillsTheControlsFromTheProgramValues) {
  const struct {
    int16_t warn, mem, res;
    bool checked;
  } cases[] = {{1, 15, 25, true}, {0, 0, 150, false}, {2, -5, 10, false}};
  for (const auto& c : cases) {
    WarnEnabled = c.warn;
    MemThreshold = c.mem;
    ResThreshold = c.res;
    openDialog([&](FakeForm& dialog) {
      EXPECT_EQ(dialog.isChecked(form3::Check1), c.checked);
      EXPECT_EQ(dialog.control(form3::Text1).enabled, c.checked);
      EXPECT_EQ(dialog.control(form3::Text2).enabled, c.checked);
      EXPECT_EQ(dialog.text(form3::Text1), std::to_string(c.mem));
      EXPECT_EQ(dialog.text(form3::Text2), std::to_string(c.res));
      EXPECT_EQ(dialog.focus(), form3::Check1);
      EXPECT_FALSE(timerRunning());  // stopped before the dialog shows
      dialog.events().onUnload();
    });
  }
}

TEST_F(Form3Test, ConfirmationAcceptsOneToNinetyNineAndRoundsHalfToEven) {
  const struct {
    const char *memory, *resources;
    int16_t mem, res;
  } cases[] = {{"1", "99", 1, 99},   {"99", "1", 99, 1},      {"099", "00005", 99, 5}, {"1.5", "1.5", 2, 2},
               {"10", "2.5", 10, 2}, {"10", "98.5", 10, 98}, {" 20 ", "+30", 20, 30}};
  for (const auto& c : cases) {
    confirmWith(c.memory, c.resources);
    EXPECT_TRUE(platform.messageBoxes.empty()) << c.memory << " " << c.resources;
    EXPECT_EQ(MemThreshold, c.mem);
    EXPECT_EQ(ResThreshold, c.res);
    EXPECT_EQ(platform.form(form3::Name), nullptr);
    figures.cpuUsage = static_cast<uint8_t>(c.mem);
    ASSERT_TRUE(window().fireTimer(form1::Timer1));  // the meter ticks again
    EXPECT_EQ(window().control(form1::Label16).caption, std::to_string(c.mem));
  }
}

TEST_F(Form3Test, RefusedValuesStoreNothingAndKeepTheDialogOpen) {
  // The run of nines is a number too large for a double.
  const std::vector<std::pair<std::string, std::string>> refused = {
      {"0", "50"},  {"50", "100"}, {"", "50"},     {"50", "abc"},  {"50", "0.5"},
      {"50", "99.4"}, {"-5", "50"}, {"50", "1e2"}, {std::string(400, '9'), "50"}};
  for (const auto& pair : refused) {
    MemThreshold = 10;
    ResThreshold = 10;
    platform.messageBoxes.clear();
    confirmWith(pair.first, pair.second, [&](FakeForm& dialog) {
      EXPECT_FALSE(dialog.closed());
      EXPECT_FALSE(timerRunning());
      EXPECT_EQ(dialog.text(form3::Text1), pair.first);
      dialog.events().onUnload();
    });
    ASSERT_EQ(platform.messageBoxes.size(), 1u) << pair.first << " " << pair.second;
    EXPECT_EQ(platform.messageBoxes[0].prompt, "1～99の値で入力してください。");
    EXPECT_EQ(platform.messageBoxes[0].title, "ケルモエラー");
    EXPECT_EQ(platform.messageBoxes[0].style, 0u);
    EXPECT_EQ(MemThreshold, 10);
    EXPECT_EQ(ResThreshold, 10);
  }
}

// The box is written at once, the values only by the button, which checks
// them even while their fields are disabled. Closed by the window system, the
// dialog keeps the box, forgets what was typed and lets the meter tick again.
TEST_F(Form3Test, CheckBoxWritesWarnEnabledAtOnceAndClosingKeepsIt) {
  MemThreshold = 150;
  openDialog([&](FakeForm& dialog) {
    dialog.events().onClick(form3::Command1);
    EXPECT_EQ(platform.messageBoxes.size(), 1u);
    dialog.setChecked(form3::Check1, true);
    dialog.events().onClick(form3::Check1);
    EXPECT_EQ(WarnEnabled, 1);
    EXPECT_TRUE(dialog.control(form3::Text1).enabled);
    dialog.typeText(form3::Text1, "77");
    // Chosen again from the tray: this one comes to the front, no second opens.
    window().events().onMenuCommand(form1::mnuKeikoku);
    EXPECT_EQ(platform.calls.back(), "Form3.setForeground");
    EXPECT_EQ(dialog.text(form3::Text1), "77");
    dialog.events().onUnload();  // closed by the window system
  });
  EXPECT_EQ(WarnEnabled, 1);
  EXPECT_EQ(MemThreshold, 150);
  EXPECT_TRUE(timerRunning());  // the meter must not stay frozen
  openDialog([&](FakeForm& dialog) {  // made anew: the typed text is gone
    EXPECT_EQ(dialog.text(form3::Text1), "150");
    dialog.typeText(form3::Text1, "40");
    dialog.setChecked(form3::Check1, false);
    dialog.events().onClick(form3::Check1);
    dialog.events().onClick(form3::Command1);
  });
  EXPECT_EQ(MemThreshold, 40);
  EXPECT_EQ(WarnEnabled, 0);
  EXPECT_EQ(std::count(platform.calls.begin(), platform.calls.end(), "createForm Form3"), 2);
  EXPECT_EQ(std::count(platform.calls.begin(), platform.calls.end(), "Form3.showModal"), 2);
}

TEST_F(Form3Test, KeyFilterLetsOnlyDigitsAndBackspaceThroughBothFields) {
  const struct {
    int key;
    bool passes;
  } keys[] = {{'0', true}, {'9', true}, {8, true},    {'a', false}, {' ', false},
              {'-', false}, {'.', false}, {13, false}, {0x3042, false}, {0xFF11, false}};
  openDialog([&](FakeForm& dialog) {
    for (const char* field : {form3::Text1, form3::Text2}) {
      for (const auto& k : keys) {
        int key = k.key;
        dialog.events().onKeyPress(field, key);
        EXPECT_EQ(key != 0, k.passes) << field << " " << k.key;
      }
    }
    dialog.events().onUnload();
  });
}

constexpr uint32_t Default = 0xDEFA17;  // the system's label colour, never set by hand
constexpr uint32_t Blue = 0xFF0000;

class Form2Test : public Form1Test {
 protected:
  void SetUp() override {
    startWith(StandardSettings);
    form1().mnuab_Click();
  }
  FakeForm& about() { return *platform.form(form2::Name); }
  void pointerOver(const char* control) { about().events().onMouseMove(control, 0, 0, 100, 100, MoveOrigin::Pointer); }
  // (colour, underlined) of a link
  std::pair<uint32_t, bool> look(const char* link) {
    const auto& state = about().control(link);
    return {state.foreColour.kind == Colour::Kind::Explicit ? state.foreColour.value : Default, state.underline};
  }
};

// Modeless, so the meter ticks on while it is open. Each click hands the
// caption to the shell once and leaves the window open; About again keeps the
// one window with its state, and after OK a new one comes.
TEST_F(Form2Test, OpensModelessWithTheCreditAndBothLinks) {
  EXPECT_EQ(about().text(form2::Label5), std::string("作者\u3000") + AuthorName);
  EXPECT_EQ(std::count(platform.calls.begin(), platform.calls.end(), "Form2.showModal"), 0);
  about().events().onClick(form2::Label1);
  about().events().onClick(form2::Label1);
  about().events().onClick(form2::Label6);
  about().events().onClick(form2::Label2);
  EXPECT_EQ(platform.shellOpened, (std::vector<std::string>{AuthorWebLink, AuthorWebLink, AuthorMailLink}));
  EXPECT_TRUE(about().isVisible());
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

}  // namespace
}  // namespace kerumo::testing
