#pragma once

// The meter window's controls and menu items by their design names; a name
// the design lacks fails in the fake platform and in debug builds.
namespace kerumo::form1 {

inline constexpr const char* Name = "Form1";

inline constexpr const char* Timer1 = "Timer1";
inline constexpr const char* Image5 = "Image5";
// Legends and units
inline constexpr const char* Label1 = "Label1";    // "TEM"
inline constexpr const char* Label13 = "Label13";  // "MEM"
inline constexpr const char* Label14 = "Label14";  // "S_R"
inline constexpr const char* Label15 = "Label15";  // "CPU"
inline constexpr const char* Label17 = "Label17";  // "%" of the memory
inline constexpr const char* Label18 = "Label18";  // "%" of the CPU
inline constexpr const char* Label19 = "Label19";  // "%" of the resources
inline constexpr const char* Label20 = "Label20";  // "℃"
// Values
inline constexpr const char* Label2 = "Label2";    // memory in use
inline constexpr const char* Label3 = "Label3";    // system resources in use
inline constexpr const char* Label5 = "Label5";    // CPU temperature
inline constexpr const char* Label16 = "Label16";  // CPU usage
// Bars, each on its track
inline constexpr const char* Shape1 = "Shape1";  // memory
inline constexpr const char* Shape2 = "Shape2";
inline constexpr const char* Shape3 = "Shape3";  // CPU
inline constexpr const char* Shape4 = "Shape4";
inline constexpr const char* Shape5 = "Shape5";  // system resources
inline constexpr const char* Shape6 = "Shape6";

// What a screen reader reads, one item a figure, in reading order
inline constexpr const char* TemperatureFigure = "TemperatureFigure";
inline constexpr const char* MemoryFigure = "MemoryFigure";
inline constexpr const char* ResourcesFigure = "ResourcesFigure";
inline constexpr const char* CpuFigure = "CpuFigure";

// The popup menu
inline constexpr const char* mnuTray = "mnuTray";
inline constexpr const char* mnuAbout = "mnuAbout";
inline constexpr const char* noApp = "noApp";
inline constexpr const char* mnuLine = "mnuLine";
inline constexpr const char* frmTop = "frmTop";
inline constexpr const char* mnuBlank = "mnuBlank";
inline constexpr const char* mnuCputmp = "mnuCputmp";
inline constexpr const char* mnuKeikoku = "mnuKeikoku";
inline constexpr const char* mnuBlank2 = "mnuBlank2";
inline constexpr const char* mnuEnd = "mnuEnd";
inline constexpr const char* mnuBlank3 = "mnuBlank3";
inline constexpr const char* mnuab = "mnuab";

}  // namespace kerumo::form1
