#include "idler/win32/shared_names.h"
#include "resources/resource_ids.h"
#include "runtime/win32/app.h"
#include "runtime/win32/picture.h"
#include "windows/texts.h"
#include "windows/win32/secondary_windows.h"

namespace tallow::win32 {
namespace {

constexpr int kLabel1 = 121;

const FormLayout kLayout{
    window_names::kDedicationClass,
    L"Juniper.........",
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,  // fixed single, no minimise or maximise
    0,
    4575,
    4500,  // 305 x 300 pixels at 96 DPI; the photograph is clipped to it
    IDI_DEDICATION,
    RGB(255, 255, 255),
};

}  // namespace

Form3Window::Form3Window(Tallow_Idler& module) : FormWindow(kLayout), handlers_(module, *this) {}

Form3Window::~Form3Window() {
  if (font_) DeleteObject(font_);
}

void Form3Window::OnCreate() {
  if (!font_) font_ = MakeFont({L"Courier New"}, 12, FW_BOLD);
  if (!picture_) picture_ = LoadJpegResource(IDR_DEDICATION_PHOTO);
  const std::wstring text = DedicationText();
  const ControlLayout label{kLabel1, L"STATIC", text.c_str(), 0, 0, 2895, 735, SS_LEFT | SS_NOPREFIX};
  CreateControl(hwnd(), label, font_);
}

LRESULT Form3Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CTLCOLORSTATIC)
    return TransparentWhiteLabel(*this, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
  return FormWindow::HandleMessage(message, wParam, lParam);
}

}  // namespace tallow::win32
