// The warning-settings dialog's threshold fields on a Japanese Windows (code
// page 932, run with LANG=ja_JP.UTF-8): no input method, and only ASCII
// digits and backspace get in, whether typed, committed by an input method
// or asked for with Ctrl+V, Ctrl+C or Ctrl+X. Its check box checks itself.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "dialogs/form3.h"
#include "dialogs/form3_controls.h"
#include "monitor/warning_settings.h"
#include "platform/win32/win32_platform.h"
#include "shell/form1_controls.h"
#include "shell/form1_design.h"
#include "win32_test_support.h"
#include "tests/no_form_events.h"

#include <imm.h>  // after the Windows headers

namespace kerumo {
namespace {

using testing::className;
using testing::pumpMessages;
using testing::textOf;

bool hasInputMethod(HWND edit) {
  HIMC context = ImmGetContext(edit);
  if (context) ImmReleaseContext(edit, context);
  return context != nullptr;
}

// The fields have no input method; committed text, control characters and
// Ctrl+V on the keyboard are dropped all the same.
TEST(JapaneseInput, TheThresholdFieldsHaveNoInputMethodAndDropCommittedTextControlCharactersAndPastes) {
  ASSERT_EQ(GetACP(), 932u) << "the Japanese locale (LANG=ja_JP.UTF-8) is missing";
  WarnEnabled = 1;
  MemThreshold = 12;
  ResThreshold = 34;
  win32::Win32Platform platform;
  testing::NoFormEvents noEvents;
  const std::unique_ptr<FormWindow> meter = platform.createForm(form1Design(), noEvents);
  Form3 dialog(platform, [&] { meter->setTimerEnabled(form1::Timer1, true); });
  dialog.Form_Load();
  dialog.window().setVisible(true);
  pumpMessages(100);
  HWND window = dynamic_cast<win32::Win32Form&>(dialog.window()).handle();
  std::vector<std::pair<std::string, HWND>> fields;
  HWND checkBox = nullptr;
  for (HWND child : testing::windowsUnder(window)) {
    if (className(child) == L"Edit") fields.emplace_back(textOf(child) == L"12" ? form3::Text1 : form3::Text2, child);
    if (textOf(child) == L"警告機能を利用する") checkBox = child;
  }
  ASSERT_EQ(fields.size(), 2u);
  ASSERT_NE(checkBox, nullptr);

  // An ordinary field of the same program has one, so the check means
  // something. It puts "99" on the clipboard, for the pastes.
  HWND plain = CreateWindowExW(0, L"EDIT", L"99", WS_CHILD, 0, 0, 50, 20, window, nullptr, GetModuleHandleW(nullptr),
                               nullptr);
  EXPECT_TRUE(hasInputMethod(plain));
  SendMessageW(plain, EM_SETSEL, 0, -1);
  SendMessageW(plain, WM_COPY, 0, 0);
  DestroyWindow(plain);
  for (const auto& [name, edit] : fields) EXPECT_FALSE(hasInputMethod(edit)) << name;
  // The keys themselves, through the window system's own translation: Ctrl+V pastes nothing.
  HWND first = fields.front().second;
  SetForegroundWindow(window);
  SetFocus(first);
  SendMessageW(first, EM_SETSEL, 2, 2);
  INPUT keys[6] = {};
  const WORD sequence[6][2] = {{VK_CONTROL, 0}, {'V', 0}, {'V', KEYEVENTF_KEYUP}, {VK_CONTROL, KEYEVENTF_KEYUP},
                               {'4', 0},        {'4', KEYEVENTF_KEYUP}};
  for (int i = 0; i < 6; ++i) {
    keys[i].type = INPUT_KEYBOARD;
    keys[i].ki.wVk = sequence[i][0];
    keys[i].ki.dwFlags = sequence[i][1];
  }
  SendInput(6, keys, sizeof(INPUT));
  pumpMessages(300);
  EXPECT_EQ(textOf(first), L"124");

  for (const auto& [name, edit] : fields) {
    SCOPED_TRACE(name);
    SetWindowTextW(edit, L"");
    for (const wchar_t c : std::wstring(L"１０あ")) SendMessageW(edit, WM_IME_CHAR, c, 1);
    for (const wchar_t c : std::wstring(L"１ア5a-. ")) SendMessageW(edit, WM_CHAR, c, 1);
    EXPECT_EQ(textOf(edit), L"5");
    SendMessageW(edit, WM_CHAR, 0x16, 1);  // Ctrl+V
    EXPECT_EQ(textOf(edit), L"5");
    SendMessageW(edit, EM_SETSEL, 0, -1);
    SendMessageW(edit, WM_CHAR, 0x03, 1);  // Ctrl+C
    SendMessageW(edit, WM_CHAR, 0x18, 1);  // Ctrl+X
    EXPECT_EQ(textOf(edit), L"5");
    SendMessageW(edit, EM_SETSEL, 1, 1);
    for (const wchar_t c : std::wstring(L"7\b7")) SendMessageW(edit, WM_CHAR, c, 1);
    EXPECT_EQ(textOf(edit), L"57");
    SendMessageW(edit, WM_PASTE, 0, 0);  // the context menu's paste stays, and the clipboard kept "99"
    EXPECT_EQ(textOf(edit), L"5799");
  }
  for (const int armed : {0, 1}) {
    SendMessageW(checkBox, BM_CLICK, 0, 0);
    EXPECT_EQ(WarnEnabled, armed);
  }
  pumpMessages(200);
  EXPECT_TRUE(testing::saveWindowPicture(window, testing::picturesDir() / "win32-warning-settings-ja.png"));
}

}  // namespace
}  // namespace kerumo
