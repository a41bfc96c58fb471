#include "idler/win32/shared_names.h"
#include "resources/resource_ids.h"
#include "runtime/win32/app.h"
#include "windows/texts.h"
#include "windows/win32/secondary_windows.h"

namespace tallow::win32 {
namespace {

enum ControlId { kLabel1 = 121, kLabel2 = 122 };

const FormLayout kLayout{
    window_names::kAboutClass,
    L"aB0uT \u2122Tallow Divod\u2122",
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,  // fixed single, no minimise or maximise
    0,
    4020,
    3255,  // 268 x 217 pixels at 96 DPI
    IDI_ABOUT,
    RGB(0, 0, 0),
    COLOR_MENUTEXT,
};

}  // namespace

LRESULT TransparentWhiteLabel(FormWindow& form, HDC dc, HWND label) {
  form.PaintBehind(label, dc);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(255, 255, 255));
  return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
}

Form2Window::Form2Window() : FormWindow(kLayout) {}

Form2Window::~Form2Window() {
  if (font_) DeleteObject(font_);
}

void Form2Window::OnCreate() {
  if (!font_) font_ = MakeFont({L"Times New Roman"}, 8.25, FW_NORMAL);
  // Texts are built here, so the table only holds their places.
  const std::wstring hint = AboutKeywordHint(), credit = AboutCreditText();
  const ControlLayout labels[] = {
      {kLabel2, L"STATIC", hint.c_str(), 120, 1680, 3975, 1335, SS_LEFT | SS_NOPREFIX},
      {kLabel1, L"STATIC", credit.c_str(), 0, 0, 3975, 1335, SS_LEFT | SS_NOPREFIX},
  };
  for (const ControlLayout& layout : labels) CreateControl(hwnd(), layout, font_);
}

LRESULT Form2Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CTLCOLORSTATIC)
    return TransparentWhiteLabel(*this, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
  return FormWindow::HandleMessage(message, wParam, lParam);
}

}  // namespace tallow::win32
