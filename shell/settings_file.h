#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "platform/file_failure.h"

namespace kerumo {

inline constexpr const char* SettingsFileName = "kerumo.ini";
// Seven short lines need a few dozen bytes; anything past this is not ours.
inline constexpr std::size_t SettingsMaxBytes = 64 * 1024;

// The seven values of "kerumo.ini", in file order; the switches and
// thresholds start as given here when there is no file.
struct SettingsRecord {
  double top = 0;   // twips
  double left = 0;  // twips
  int16_t topmostToggle = 0;
  int16_t tempShown = 1;
  int16_t warnEnabled = 0;
  int16_t memThreshold = 10;
  int16_t resThreshold = 10;
  bool operator==(const SettingsRecord&) const = default;
};

// The whole numbers each line is read within, in file order. The window's
// top and left are 32-bit twips: a wide screen, a second screen or one left
// of the primary lies beyond 16 bits (32767 twips is 2184 pixels at 100 %).
// The switches and thresholds keep their 16 bits.
struct SettingsRange {
  double least;
  double most;
};
inline constexpr std::array<SettingsRange, 7> SettingsLineRanges{{
    {-2147483648.0, 2147483647.0}, {-2147483648.0, 2147483647.0}, {-32768, 32767}, {-32768, 32767},
    {-32768, 32767}, {-32768, 32767}, {-32768, 32767}}};

enum class SettingsFault { TooFewValues, BadValue, NotARegularFile, TooLarge, Unreadable };

struct SettingsProblem {
  SettingsFault fault = SettingsFault::TooFewValues;
  int line = 0;  // the bad value's line, 1-based; 0 when the file as a whole is at fault
  // The bad value as quoted, what stands there instead of a file, or why
  // the file could not be read.
  std::string found;
  std::uintmax_t count = 0;  // the values found, or the file's size in bytes
  bool position = false;     // the bad value is the window's top or left, which have 32 bits
  bool operator==(const SettingsProblem&) const = default;
};

struct SettingsMissing {};

using SettingsParse = std::variant<SettingsRecord, SettingsProblem>;
using SettingsRead = std::variant<SettingsRecord, SettingsMissing, SettingsProblem>;

// Reads what a hand edit may produce: CR LF or LF, blanks around values, no
// final line end, fractions (rounded half to even); ignores lines past the
// seventh value.
SettingsParse parseSettings(std::string_view text);
// Exactly seven lines ended by CR LF; the positions in whole twips.
std::string formatSettings(const SettingsRecord& record);

// Reads only a regular file of at most SettingsMaxBytes, in UTF-8 (with or
// without a byte-order mark) or UTF-16 with a byte-order mark; never waits
// on what is not a file, and never changes the file.
SettingsRead readSettingsFile(const std::filesystem::path& path);
// Writes beside the file and renames it into place, so a failure keeps the
// old file whole. Returns the failure, if any.
std::optional<FileFailure> writeSettingsFile(const std::filesystem::path& path, const SettingsRecord& record);

// The message shown when the file cannot be used at start-up.
std::string describeSettingsProblem(const std::filesystem::path& path, const SettingsProblem& problem);
// The message shown when the file cannot be written at exit; `oldFileKept`
// says whether an earlier file stands there unchanged.
std::string describeSettingsWriteFailure(const std::filesystem::path& path, const FileFailure& failure,
                                         bool oldFileKept);

}  // namespace kerumo
