#include "idler/form1_declaration.h"

#include "idler/form1.h"
#include "idler/keywords.h"
#include "resources/resource_ids.h"

namespace tallow {
namespace {

constexpr ControlKind kButton = ControlKind::kButton, kTextBox = ControlKind::kTextBox, kLabel = ControlKind::kLabel,
                      kFrame = ControlKind::kFrame;
constexpr Event kNoClick{};
constexpr bool kTransparent = true;
constexpr Colour kWhite = Rgb(255, 255, 255), kBlack = Rgb(0, 0, 0), kGreen = Rgb(0, 128, 0);
constexpr int kFrame1 = 130;

// The window's own font, which the buttons, the frame, the clock's digits
// and the reason box use.
constexpr FontChoice kWindowFont{{L"MS Sans Serif", L"Microsoft Sans Serif"}, 8, 400};
constexpr FontChoice kColonFont{{L"MS Sans Serif", L"Microsoft Sans Serif"}, 8.25, 700};
// Where the slab face is missing, a serif of the same size still fits the
// title on one line.
constexpr FontChoice kTitleFont{{L"Rockwell Extra Bold", L"Rockwell", L"Georgia", L"Times New Roman"}, 15.75, 800};

// In tab order. Frame1's labels are placed relative to the frame.
constexpr ControlRow kControls[] = {
    // id  name        kind      text               left  top   width height  click / font / look / container
    {110, "Text1", kTextBox, kReasonResetText, {480, 3360, 1935, 285}},
    {101, "Command1", kButton, L"Start", {0, 0, 495, 255}, On<&Form1::Command1_Click>},
    {102, "Command2", kButton, L"Stop", {480, 0, 495, 255}, On<&Form1::Command2_Click>},
    {103, "Command3", kButton, L"Adv.", {960, 0, 495, 255}, On<&Form1::Command3_Click>},
    {121, "Label1", kLabel, kApplicationTitle, {120, 3000, 2775, 375}, kNoClick, &kTitleFont, kTransparent, kGreen},
    {104, "Command4", kButton, L"Exit", {1440, 0, 495, 255}, On<&Form1::Command4_Click>},
    {105, "Command5", kButton, L"About", {1920, 0, 615, 255}, On<&Form1::Command5_Click>},
    {106, "Command6", kButton, L"Site", {2520, 0, 495, 255}, On<&Form1::Command6_Click>},
    {kFrame1, "Frame1", kFrame, L"Time Idle : ", {1920, 2400, 1215, 615}},
    {122, "Label2", kLabel, L"00", {120, 240, 255, 255}, kNoClick, nullptr, kTransparent, kBlack, kFrame1},
    {123, "Label3", kLabel, L"00", {480, 240, 255, 255}, kNoClick, nullptr, kTransparent, kBlack, kFrame1},
    {124, "Label4", kLabel, L"00", {840, 240, 255, 255}, kNoClick, nullptr, kTransparent, kBlack, kFrame1},
    {125, "Label5", kLabel, L":", {360, 240, 135, 255}, kNoClick, &kColonFont, kTransparent, kBlack, kFrame1},
    {126, "Label6", kLabel, L":", {720, 240, 135, 255}, kNoClick, &kColonFont, kTransparent, kBlack, kFrame1},
    {107, "Command7", kButton, L"Minimize", {2160, 240, 855, 255}, On<&Form1::Command7_Click>},
};

constexpr TimerRow kTimers[] = {
    {"Timer1", 1.0, TimerDriver::Delivery::kEveryTick, false, On<&Form1::Timer1_Timer>},
    // Ticks under the keyword boxes too, which its own ticks open.
    {"Timer2", 0.5, TimerDriver::Delivery::kReentrant, true, On<&Form1::Timer2_Timer>},
};

}  // namespace

extern constexpr FormDeclaration kForm1Declaration{
    kForm1Class,
    kApplicationTitle,
    Border::kNone,
    3165,
    3720,  // 211 x 248 pixels at 96 DPI
    kWhite,
    IDR_MAIN_BACKGROUND,
    IDI_IDLER,
    &kWindowFont,
    Placement::kTopRight,  // out of the way of the chat client
    kControls,
    kTimers,
    On<&Form1::Form_Load>,
    On<&Form1::Form_MouseDown>,
};

}  // namespace tallow
