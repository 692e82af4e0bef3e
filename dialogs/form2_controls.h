#pragma once

// The about dialog's controls by their design names; a name the design
// lacks fails in the fake platform and in debug builds.
namespace kerumo::form2 {

inline constexpr const char* Name = "Form2";

inline constexpr const char* Label1 = "Label1";  // web link
inline constexpr const char* Label2 = "Label2";
inline constexpr const char* Label3 = "Label3";
inline constexpr const char* Label4 = "Label4";
inline constexpr const char* Label5 = "Label5";  // author credit
inline constexpr const char* Label6 = "Label6";  // mail link
inline constexpr const char* Command1 = "Command1";

}  // namespace kerumo::form2
