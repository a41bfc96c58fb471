// Reasons nobody should type, pasted into the reason box: the
// reason line carries them whole, in Windows-1252, with "?" for what that
// code page cannot hold and never a look-alike in its place.
#include "tests/golden/expected.h"
#include "harness.h"

#include <cstdio>
#include <cstring>

namespace desktop {
namespace {

struct BadReason {
  const char* name;
  std::wstring text;
  std::string posted;  // the reason as the room must receive it
};

std::vector<BadReason> bad_reasons() {
  std::string megabyte;
  while (megabyte.size() < (1u << 20)) megabyte += "gone fishing, back by the weekend; ";
  megabyte.resize(1u << 20);
  return {
      {"Chinese", L"\u5348\u996D\uFF0C\u9A6C\u4E0A\u56DE\u6765", "???????"},
      {"Emoji", L"coffee \U0001F375 then back \u2615", "coffee ? then back ?"},
      {"RightToLeft", L"\u05D1\u05E7\u05E8\u05D5\u05D1 \u200F\u0642\u0631\u064A\u0628\u0627\u064B", "????? ???????"},
      {"ControlCharacters", L"tab\there\x01\x07\x1B end\x7F", "tab\there\x01\x07\x1B end\x7F"},
      {"Markup", L"<b>bold</b> & <font color=#FF0000>red</font> <a href=\"x\">x</a> &amp;",
       "<b>bold</b> & <font color=#FF0000>red</font> <a href=\"x\">x</a> &amp;"},
      {"FullwidthLessThan", L"\uFF1Cb\uFF1E brb \uFF06 \u2264", "?b? brb ? ?"},
      {"Latin1AndWindows1252", L"caf\u00E9 \u20AC5 \u201Csoon\u201D \u2014 na\u00EFve",
       "caf\xE9 \x80"
       "5 \x93soon\x94 \x97 na\xEFve"},
      {"OneMegabyte", std::wstring(megabyte.begin(), megabyte.end()), megabyte},
  };
}

// WM_GETTEXTLENGTH: GetWindowTextLength does not ask another process's controls.
size_t text_length(HWND control) {
  DWORD_PTR length = 0;
  SendMessageTimeoutW(control, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length);
  return length;
}

bool put_on_clipboard(const std::wstring& text) {
  if (!OpenClipboard(nullptr)) return false;
  EmptyClipboard();
  const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  bool put = false;
  if (memory) {
    std::memcpy(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    put = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    if (!put) GlobalFree(memory);
  }
  CloseClipboard();
  return put;
}

class BadInput : public DesktopTest {};

// One idler takes every reason in turn, each from Start to Stop.
TEST_F(BadInput, EachReasonIsPostedWholeAndTheIdlerCarriesOn) {
  ASSERT_NO_FATAL_FAILURE(start_room());
  ASSERT_NO_FATAL_FAILURE(start_idler());
  HWND box = control("Text1");
  for (const BadReason& reason : bad_reasons()) {
    SCOPED_TRACE(reason.name);
    // What Ctrl+V does, handled by the box inside the idler's own process.
    ASSERT_TRUE(put_on_clipboard(reason.text));
    set_reason(L"");
    SendMessageW(box, WM_PASTE, 0, 0);
    ASSERT_EQ(text_length(box), reason.text.size()) << "the reason box cut the text";

    const std::int64_t pressed = now_ms();
    ASSERT_NO_FATAL_FAILURE(start_idling(reason.posted));
    std::printf("[ timing   ] %s: Start -> reason line of %zu bytes: %lld ms\n", reason.name,
                lines().back().line.size(), static_cast<long long>(lines().back().ms - pressed));
    EXPECT_GE(ping_ms(idler(), 5000), 0) << "the idler stopped answering";
    ASSERT_NO_FATAL_FAILURE(stop_idling("00", "00"));
    EXPECT_EQ(text_length(box), reason.text.size());
  }
}

}  // namespace
}  // namespace desktop
