#include "idler/win32/form1_window.h"

#include "idler/keywords.h"
#include "idler/win32/shared_names.h"
#include "resources/resource_ids.h"
#include "runtime/win32/app.h"
#include "runtime/win32/picture.h"

namespace tallow::win32 {
namespace {

using namespace window_names;

enum TimerId : UINT_PTR { kTimer1 = 1, kTimer2 = 2 };

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kTitleGreen = RGB(0, 128, 0);
constexpr wchar_t kFrameBaseProc[] = L"TallowDivod.FrameProc";

const FormLayout kLayout{
    kIdlerClass,
    kApplicationTitle,
    WS_POPUP | WS_CLIPCHILDREN | WS_MINIMIZEBOX,
    WS_EX_APPWINDOW | WS_EX_CONTROLPARENT,
    3165,
    3720,  // 211 x 248 pixels at 96 DPI
    IDI_IDLER,
    kWhite,
};

constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kLabel = SS_LEFT | SS_NOTIFY;  // SS_NOTIFY: a press on a label is the label's, not the form's

// In tab order, which is also creation order. Frame1's labels are placed
// relative to the frame.
const ControlLayout kControls[] = {
    {kReasonBox, L"EDIT", kReasonResetText, 480, 3360, 1935, 285, ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE},
    {kStart, L"BUTTON", L"Start", 0, 0, 495, 255, kButton},
    {kStop, L"BUTTON", L"Stop", 480, 0, 495, 255, kButton},
    {kAdv, L"BUTTON", L"Adv.", 960, 0, 495, 255, kButton},
    {kTitleLabel, L"STATIC", L"\u2122Tallow Divod\u2122", 120, 3000, 2775, 375, kLabel},
    {kExit, L"BUTTON", L"Exit", 1440, 0, 495, 255, kButton},
    {kAbout, L"BUTTON", L"About", 1920, 0, 615, 255, kButton},
    {kSite, L"BUTTON", L"Site", 2520, 0, 495, 255, kButton},
    {kFrame, L"BUTTON", L"Time Idle : ", 1920, 2400, 1215, 615, BS_GROUPBOX},
    {kHoursLabel, L"STATIC", L"00", 120, 240, 255, 255, kLabel, 0, kFrame},
    {kMinutesLabel, L"STATIC", L"00", 480, 240, 255, 255, kLabel, 0, kFrame},
    {kSecondsLabel, L"STATIC", L"00", 840, 240, 255, 255, kLabel, 0, kFrame},
    {kColon1Label, L"STATIC", L":", 360, 240, 135, 255, kLabel, 0, kFrame},
    {kColon2Label, L"STATIC", L":", 720, 240, 135, 255, kLabel, 0, kFrame},
    {kMinimize, L"BUTTON", L"Minimize", 2160, 240, 855, 255, kButton},
};

}  // namespace

Form1Window::Form1Window(Tallow_Idler& module, const Clock& clock, Form& about, Form& dedication, MessageBoxes& boxes)
    : FormWindow(kLayout),
      Timer1(clock, kTimer1, 1.0, TimerDriver::Delivery::kEveryTick, [this] { handlers_.Timer1_Timer(); }),
      Timer2(clock, kTimer2, 0.5, TimerDriver::Delivery::kReentrant, [this] { handlers_.Timer2_Timer(); }),
      handlers_(module, Form1Controls{*this, Text1, Label2, Label3, Label4, Command1, Command2, Timer1, about,
                                      dedication, boxes}) {}

Form1Window::~Form1Window() {
  for (HGDIOBJ object : {static_cast<HGDIOBJ>(defaultFont_), static_cast<HGDIOBJ>(colonFont_),
                         static_cast<HGDIOBJ>(titleFont_), static_cast<HGDIOBJ>(white_)})
    if (object) DeleteObject(object);
}

ChildControl* Form1Window::ControlById(int id) {
  switch (id) {
    case kStart: return &Command1;
    case kStop: return &Command2;
    case kAdv: return &Command3;
    case kExit: return &Command4;
    case kAbout: return &Command5;
    case kSite: return &Command6;
    case kMinimize: return &Command7;
    case kReasonBox: return &Text1;
    case kFrame: return &Frame1;
    case kTitleLabel: return &Label1;
    case kHoursLabel: return &Label2;
    case kMinutesLabel: return &Label3;
    case kSecondsLabel: return &Label4;
    case kColon1Label: return &Label5;
    case kColon2Label: return &Label6;
    default: return nullptr;
  }
}

void Form1Window::OnCreate() {
  // The window's default font, which the buttons, the frame, the clock and
  // the reason box use.
  if (!defaultFont_) defaultFont_ = MakeFont({L"MS Sans Serif", L"Microsoft Sans Serif"}, 8, FW_NORMAL);
  if (!colonFont_) colonFont_ = MakeFont({L"MS Sans Serif", L"Microsoft Sans Serif"}, 8.25, FW_BOLD);
  // Where the slab face is missing, a serif of the same size still fits the title in one line.
  if (!titleFont_)
    titleFont_ = MakeFont({L"Rockwell Extra Bold", L"Rockwell", L"Georgia", L"Times New Roman"}, 15.75, 800);
  if (!white_) white_ = CreateSolidBrush(kWhite);
  if (!picture_) picture_ = LoadJpegResource(IDR_MAIN_BACKGROUND);

  for (const ControlLayout& layout : kControls) {
    HWND container = layout.container ? Frame1.hwnd() : hwnd();
    HFONT font = layout.id == kTitleLabel                                   ? titleFont_
                 : (layout.id == kColon1Label || layout.id == kColon2Label) ? colonFont_
                                                                            : defaultFont_;
    ControlById(layout.id)->Attach(CreateControl(container, layout, font));
  }
  // The title is drawn on the form itself, beneath every other control.
  SetWindowPos(Label1.hwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  // The reason box takes reasons of any length.
  SendMessageW(Text1.hwnd(), EM_SETLIMITTEXT, 0, 0);
  // The frame is a group box that paints white and keeps mouse presses
  // (a plain group box lets them through to the form, which would move it).
  SetPropW(
      Frame1.hwnd(), kFrameBaseProc,
      reinterpret_cast<HANDLE>(SetWindowLongPtrW(Frame1.hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FrameProc))));
  Timer1.Attach(hwnd());
  Timer2.Attach(hwnd());
  Timer2.SetEnabled(true);
  focus_ = Text1.hwnd();
}

void Form1Window::OnLoad() { handlers_.Form_Load(); }

void Form1Window::OnDestroy() {
  Timer1.Detach();
  Timer2.Detach();
  for (const ControlLayout& layout : kControls) ControlById(layout.id)->Attach(nullptr);
  focus_ = nullptr;
}

POINT Form1Window::InitialPosition(SIZE windowSize) {
  // Top right of the work area, out of the way of the chat client.
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  return {work.right - windowSize.cx - Twips(600), work.top + Twips(600)};
}

LRESULT Form1Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: OnCommand(LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_TIMER: OnTimer(wParam); return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      // Returns when the platform's move loop ends.
      moving_ = true;
      handlers_.Form_MouseDown();
      moving_ = false;
      return 0;
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      // The move loop ends only on the left button's release; a move begun
      // with the right or middle button must end when that one is let go,
      // not follow the mouse until the next left click.
      if (moving_) PostMessageW(hwnd(), WM_LBUTTONUP, 0, lParam);
      return 0;
    case WM_CTLCOLORSTATIC: return OnCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_ACTIVATE: OnActivate(LOWORD(wParam) != WA_INACTIVE); return 0;
    default: return FormWindow::HandleMessage(message, wParam, lParam);
  }
}

void Form1Window::OnCommand(int id, int code) {
  if (code != BN_CLICKED) return;
  switch (id) {
    case kStart: handlers_.Command1_Click(); break;
    case kStop: handlers_.Command2_Click(); break;
    case kAdv: handlers_.Command3_Click(); break;
    case kExit: handlers_.Command4_Click(); break;
    case kAbout: handlers_.Command5_Click(); break;
    case kSite: handlers_.Command6_Click(); break;
    case kMinimize: handlers_.Command7_Click(); break;
    default: break;
  }
}

void Form1Window::OnTimer(UINT_PTR id) {
  if (id == kTimer1) Timer1.Service();
  if (id == kTimer2) Timer2.Service();
}

LRESULT Form1Window::OnCtlColorStatic(HDC dc, HWND control) {
  const int id = GetDlgCtrlID(control);
  if (id == kFrame) {
    SetBkColor(dc, kWhite);
    return reinterpret_cast<LRESULT>(white_);
  }
  if (id < kTitleLabel || id > kColon2Label)
    return Default(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
  // Labels are transparent: what lies behind them is painted first.
  if (GetParent(control) == Frame1.hwnd()) {
    RECT area;
    GetClientRect(control, &area);
    FillRect(dc, &area, white_);
  } else {
    PaintBehind(control, dc);
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, id == kTitleLabel ? kTitleGreen : RGB(0, 0, 0));
  return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
}

void Form1Window::OnActivate(bool active) {
  // Keyboard focus comes back to where it was, at first the reason box.
  if (!active) {
    HWND focused = GetFocus();
    if (focused && IsChild(hwnd(), focused)) focus_ = focused;
  } else if (focus_ && IsWindow(focus_)) {
    SetFocus(focus_);
  }
}

LRESULT CALLBACK Form1Window::FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto base = reinterpret_cast<WNDPROC>(GetPropW(hwnd, kFrameBaseProc));
  switch (message) {
    case WM_NCHITTEST: return HTCLIENT;
    case WM_ERASEBKGND: {
      RECT area;
      GetClientRect(hwnd, &area);
      FillRect(reinterpret_cast<HDC>(wParam), &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
      return 1;
    }
    case WM_CTLCOLORSTATIC:
      // The clock's labels are the form's to colour.
      return SendMessageW(GetParent(hwnd), message, wParam, lParam);
    case WM_NCDESTROY:
      RemovePropW(hwnd, kFrameBaseProc);
      SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(base));
      break;
    default: break;
  }
  return CallWindowProcW(base, hwnd, message, wParam, lParam);
}

}  // namespace tallow::win32
