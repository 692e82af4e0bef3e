#pragma once

// The warning-settings dialog's controls by their design names; a name the
// design lacks fails in the fake platform and in debug builds.
namespace kerumo::form3 {

inline constexpr const char* Name = "Form3";

inline constexpr const char* Check1 = "Check1";
inline constexpr const char* Label1 = "Label1";
inline constexpr const char* Label2 = "Label2";
inline constexpr const char* Label3 = "Label3";
inline constexpr const char* Label4 = "Label4";
inline constexpr const char* Label5 = "Label5";
inline constexpr const char* Text1 = "Text1";  // MemThreshold
inline constexpr const char* Label7 = "Label7";
inline constexpr const char* Label6 = "Label6";
inline constexpr const char* Text2 = "Text2";  // ResThreshold
inline constexpr const char* Label8 = "Label8";
inline constexpr const char* Command1 = "Command1";

}  // namespace kerumo::form3
