// The warning dialog's key filter fed a sequence of characters, pasted
// text, and "設定": no typed character but a digit or backspace gets into a
// field, and a pair is stored exactly when both lie within 1..99.
#include <cmath>

#include "dialogs/form3.h"
#include "dialogs/form3_controls.h"
#include "fuzz_check.h"
#include "monitor/warning_settings.h"
#include "platform/decimal_text.h"
#include "platform/fake/fake_platform.h"

namespace {

bool isThreshold(const std::optional<double>& value) { return value && *value >= 1 && *value <= 99; }

}  // namespace

KERUMO_FUZZ_TARGET(, input) {
  FakePlatform platform;
  WarnEnabled = 1;
  MemThreshold = input.ConsumeIntegral<int16_t>();
  ResThreshold = input.ConsumeIntegral<int16_t>();
  Form3 dialog(platform, [] {});
  dialog.Form_Load();
  auto& form = *platform.form(form3::Name);
  while (input.remaining_bytes() > 0 && !form.closed()) {
    const auto step = input.ConsumeIntegral<uint8_t>();
    const char* field = step % 2 ? form3::Text2 : form3::Text1;
    if (step < 200) {  // one character typed, as the window system takes it after the filter
      const auto code = input.ConsumeIntegral<uint16_t>();
      int keyAscii = code;
      dialog.onKeyPress(field, keyAscii);
      require(keyAscii == (code == 8 || (code >= '0' && code <= '9') ? code : 0),
              "only digits and backspace pass, unchanged");
      std::string typed = form.text(field);
      if (keyAscii == 8 && !typed.empty()) typed.pop_back();
      if (keyAscii != 8 && keyAscii != 0) typed += static_cast<char>(keyAscii);
      form.typeText(field, typed);
    } else if (step < 220) {  // pasted, which no key filter sees
      form.typeText(field, input.ConsumeRandomLengthString(24));
    } else {
      const auto memory = parseDecimal(form.text(form3::Text1)), resources = parseDecimal(form.text(form3::Text2));
      const int16_t memoryBefore = MemThreshold, resourcesBefore = ResThreshold;
      const std::size_t boxes = platform.messageBoxes.size();
      dialog.onClick(form3::Command1);
      if (isThreshold(memory) && isThreshold(resources)) {
        require(platform.messageBoxes.size() == boxes && form.closed(), "a valid pair closes the dialog");
        require(MemThreshold == std::nearbyint(*memory) && ResThreshold == std::nearbyint(*resources),
                "a valid pair is stored rounded half to even");
        require(MemThreshold >= 1 && MemThreshold <= 99 && ResThreshold >= 1 && ResThreshold <= 99,
                "stored thresholds lie within 1..99");
      } else {
        require(platform.messageBoxes.size() == boxes + 1 && !form.closed(), "an invalid pair gets the box");
        require(platform.messageBoxes.back().prompt == RangeErrorPrompt, "the box says the range");
        require(MemThreshold == memoryBefore && ResThreshold == resourcesBefore, "nothing is stored from an invalid pair");
      }
    }
  }
}
