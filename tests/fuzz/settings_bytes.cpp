// The settings file's bytes before they become text: byte-order marks,
// UTF-16, invalid UTF-8, and the short quote of a bad value.
#include <variant>

#include "fuzz_check.h"
#include "shell/settings_file.h"
#include "shell/settings_text.h"

KERUMO_FUZZ_TARGET(bytes, input) {
  const std::string text = settingsTextAsUtf8(bytes);
  if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
    require(isUtf8(text), "UTF-16 becomes well-formed UTF-8");
  }
  std::size_t characters = 0;
  const std::string quote = printableExcerpt(text, 40);
  require(isUtf8(quote, &characters), "a quote is well-formed UTF-8");
  require(characters <= 40 || (characters == 41 && quote.ends_with("…")), "a quote is at most 40 characters and …");
  for (const char c : quote) require(!(c >= 0 && c < 0x20) && c != 0x7F, "a quote holds no control characters");

  // A file Kerumo wrote, saved again by an editor in UTF-16 or with a mark.
  SettingsRecord written;
  for (int16_t* value : {&written.topmostToggle, &written.tempShown, &written.warnEnabled, &written.memThreshold,
                         &written.resThreshold}) {
    *value = input.ConsumeIntegral<int16_t>();
  }
  const std::string own = formatSettings(written);
  std::string littleEndian = "\xFF\xFE", bigEndian = "\xFE\xFF";
  for (const char c : own) {
    littleEndian += {c, '\0'};
    bigEndian += {'\0', c};
  }
  for (const std::string& saved : {littleEndian, bigEndian, "\xEF\xBB\xBF" + own}) {
    const SettingsParse parsed = parseSettings(settingsTextAsUtf8(saved));
    require(std::holds_alternative<SettingsRecord>(parsed) && std::get<SettingsRecord>(parsed) == written,
            "Kerumo's own file reads back the same in every encoding");
  }
}
