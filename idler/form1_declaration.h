#pragma once

#include "idler/form1.h"
#include "idler/keywords.h"
#include "resources/resource_ids.h"
#include "runtime/form_declaration.h"

namespace tallow {

// The main window's caption and title label, and the message boxes' title.
inline constexpr wchar_t kApplicationTitle[] = L"\u2122Tallow Divod\u2122";
// The window class it is registered under; tests/desktop/common-controls.sh
// reads it from here.
inline constexpr wchar_t kForm1Class[] = L"TallowDivod.Form1";

// The main window's rows, in a header so that its handlers look their
// controls up by name as they compile.
namespace form1 {

using enum ControlKind;
inline constexpr Colour kWhite = Rgb(255, 255, 255), kGreen = Rgb(0, 128, 0);
inline constexpr int kFrame1 = 130;

// The window's own font, which the buttons, the frame, the clock's digits
// and the reason box use.
inline constexpr FontChoice kWindowFont{
    .faces = {L"MS Sans Serif", L"Microsoft Sans Serif"}, .points = 8, .weight = 400};
inline constexpr FontChoice kColonFont{
    .faces = {L"MS Sans Serif", L"Microsoft Sans Serif"}, .points = 8.25, .weight = 700};
// Where the slab face is missing, a serif of the same size still fits the
// title on one line.
inline constexpr FontChoice kTitleFont{
    .faces = {L"Rockwell Extra Bold", L"Rockwell", L"Georgia", L"Times New Roman"}, .points = 15.75, .weight = 800};

// In tab order. Frame1's labels are placed relative to the frame.
inline constexpr ControlRow kControls[] = {
    {.id = 110,
     .name = "Text1",
     .kind = kTextBox,
     .text = kReasonResetText,
     .rect = {.left = 480, .top = 3360, .width = 1935, .height = 285}},
    {.id = 101,
     .name = "Command1",
     .kind = kButton,
     .text = L"Start",
     .rect = {.left = 0, .top = 0, .width = 495, .height = 255},
     .click = On<&Form1::Command1_Click>},
    {.id = 102,
     .name = "Command2",
     .kind = kButton,
     .text = L"Stop",
     .rect = {.left = 480, .top = 0, .width = 495, .height = 255},
     .click = On<&Form1::Command2_Click>},
    {.id = 103,
     .name = "Command3",
     .kind = kButton,
     .text = L"Adv.",
     .rect = {.left = 960, .top = 0, .width = 495, .height = 255},
     .click = On<&Form1::Command3_Click>},
    {.id = 121,
     .name = "Label1",
     .kind = kLabel,
     .text = kApplicationTitle,
     .rect = {.left = 120, .top = 3000, .width = 2775, .height = 375},
     .font = &kTitleFont,
     .transparent = true,
     .textColour = kGreen},
    {.id = 104,
     .name = "Command4",
     .kind = kButton,
     .text = L"Exit",
     .rect = {.left = 1440, .top = 0, .width = 495, .height = 255},
     .click = On<&Form1::Command4_Click>},
    {.id = 105,
     .name = "Command5",
     .kind = kButton,
     .text = L"About",
     .rect = {.left = 1920, .top = 0, .width = 615, .height = 255},
     .click = On<&Form1::Command5_Click>},
    {.id = 106,
     .name = "Command6",
     .kind = kButton,
     .text = L"Site",
     .rect = {.left = 2520, .top = 0, .width = 495, .height = 255},
     .click = On<&Form1::Command6_Click>},
    {.id = kFrame1,
     .name = "Frame1",
     .kind = kFrame,
     .text = L"Time Idle : ",
     .rect = {.left = 1920, .top = 2400, .width = 1215, .height = 615}},
    {.id = 122,
     .name = "Label2",
     .kind = kLabel,
     .text = L"00",
     .rect = {.left = 120, .top = 240, .width = 255, .height = 255},
     .transparent = true,
     .container = kFrame1},
    {.id = 123,
     .name = "Label3",
     .kind = kLabel,
     .text = L"00",
     .rect = {.left = 480, .top = 240, .width = 255, .height = 255},
     .transparent = true,
     .container = kFrame1},
    {.id = 124,
     .name = "Label4",
     .kind = kLabel,
     .text = L"00",
     .rect = {.left = 840, .top = 240, .width = 255, .height = 255},
     .transparent = true,
     .container = kFrame1},
    {.id = 125,
     .name = "Label5",
     .kind = kLabel,
     .text = L":",
     .rect = {.left = 360, .top = 240, .width = 135, .height = 255},
     .font = &kColonFont,
     .transparent = true,
     .container = kFrame1},
    {.id = 126,
     .name = "Label6",
     .kind = kLabel,
     .text = L":",
     .rect = {.left = 720, .top = 240, .width = 135, .height = 255},
     .font = &kColonFont,
     .transparent = true,
     .container = kFrame1},
    {.id = 107,
     .name = "Command7",
     .kind = kButton,
     .text = L"Minimize",
     .rect = {.left = 2160, .top = 240, .width = 855, .height = 255},
     .click = On<&Form1::Command7_Click>},
};

inline constexpr TimerRow kTimers[] = {
    {.name = "Timer1",
     .intervalSeconds = 1.0,
     .delivery = TimerDriver::Delivery::kEveryTick,
     .tick = On<&Form1::Timer1_Timer>},
    // Ticks under the keyword boxes too, which its own ticks open.
    {.name = "Timer2",
     .intervalSeconds = 0.5,
     .delivery = TimerDriver::Delivery::kReentrant,
     .onAtLoad = true,
     .tick = On<&Form1::Timer2_Timer>},
};

}  // namespace form1

// The main window: a borderless panel with a row of buttons, the idle clock
// in its frame, the title and the reason box, its two timers, and which
// handler of Form1 each event goes to.
inline constexpr FormDeclaration kForm1Declaration{
    .windowClass = kForm1Class,
    .caption = kApplicationTitle,
    .border = Border::kNone,
    .width = 3165,
    .height = 3720,  // 211 x 248 pixels at 96 DPI
    .background = form1::kWhite,
    .pictureId = IDR_MAIN_BACKGROUND,
    .iconId = IDI_IDLER,
    .font = &form1::kWindowFont,
    .placement = Placement::kTopRight,  // out of the way of the chat client
    .controls = form1::kControls,
    .timers = form1::kTimers,
    .load = On<&Form1::Form_Load>,
    .mouseDown = On<&Form1::Form_MouseDown>,
};

}  // namespace tallow
