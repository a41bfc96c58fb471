// The names the idler's windows are known by outside the idler: the window
// classes and the main window's control ids. The idler creates its windows
// under them; the desktop tests, press.exe and the benchmarks find them by
// them. tests/desktop/common-controls.sh reads kIdlerClass from here.
#pragma once

namespace tallow::window_names {

constexpr const wchar_t* kIdlerClass = L"TallowDivod.Form1";
constexpr const wchar_t* kAboutClass = L"TallowDivod.Form2";
constexpr const wchar_t* kDedicationClass = L"TallowDivod.Form3";

// Form1's controls, each with its name in the form; the clock's labels are
// children of the frame.
enum Form1Control : int {
  kStart = 101,         // Command1
  kStop = 102,          // Command2
  kAdv = 103,           // Command3
  kExit = 104,          // Command4
  kAbout = 105,         // Command5
  kSite = 106,          // Command6
  kMinimize = 107,      // Command7
  kReasonBox = 110,     // Text1
  kTitleLabel = 121,    // Label1
  kHoursLabel = 122,    // Label2
  kMinutesLabel = 123,  // Label3
  kSecondsLabel = 124,  // Label4
  kColon1Label = 125,   // Label5
  kColon2Label = 126,   // Label6
  kFrame = 130,         // Frame1
};

}  // namespace tallow::window_names
