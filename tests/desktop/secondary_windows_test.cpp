// The About and dedication windows, the reason box's keywords and their
// message boxes, and how the process ends with a secondary window open.
#include "expected_lines.h"
#include "harness.h"

#include <string>

namespace desktop {
namespace {

const wchar_t kAboutClass[] = L"TallowDivod.Form2";
const wchar_t kDedicationClass[] = L"TallowDivod.Form3";
const wchar_t kTitle[] = L"\u2122Tallow Divod\u2122";

// The message boxes' texts, lines joined by a lone carriage return.
const std::wstring kInfoBox =
    L"Info on Tallow Divod....\rOS : Windows XP\rAOL : 8.0 - 9.0\rCompleted : Wednesday, May 11, 2005\r"
    L"Coder : MoRdAnT\rTeam : gLoAmInG iNc.\rMade for : Juniper, who kept the room warm\rBLAH!\r";
const std::wstring kScreenNamesBox =
    L"Screennames.....\r(All of these are AOL or AIM screennames.....)\rMoRdAnT (coder) = xMoRdAnTx\r"
    L"Juniper (the reason for all this) = JuniperBerry0505\rSprocket (beta tester) = SprocketSpins\r"
    L"Wren (graphics) = LittleWrenSong\rTumble = TumbleweedTales\rCobalt (team leader) = gLoAmInGCobalt";
const std::wstring kAuthorBox =
    L"About MoRdAnT......\rName : Morgan Dantry\rAge : 17\rLocation : Larkhollow\rCoding Name : MoRdAnT\r"
    L"Works in : Visual C++, Win32, a soldering iron and a sketchbook\r"
    L"Quote : Leave the lights on, I'll be right back.\r\r";

class SecondaryWindows : public DesktopTest {
protected:
    std::vector<HWND> windows_of_class(const wchar_t* cls) const {
        std::vector<HWND> found;
        for (HWND w : top_level_windows_of(idler_.pid(), true))
            if (class_of(w) == cls) found.push_back(w);
        return found;
    }
    HWND wait_window(const wchar_t* cls, int timeout_ms = 5000) const {
        HWND found = nullptr;
        wait_until([&] {
            auto all = windows_of_class(cls);
            found = all.empty() ? nullptr : all.front();
            return found != nullptr;
        }, timeout_ms);
        return found;
    }
    // Types `text` over the whole reason box, as a user would.
    void type_reason(const std::wstring& text) {
        ASSERT_TRUE(click(control(kReasonBox)));
        SendMessageW(control(kReasonBox), EM_SETSEL, 0, -1);
        type_text(text);
    }
    static SIZE client_size(HWND w) {
        RECT r;
        GetClientRect(w, &r);
        return SIZE{r.right, r.bottom};
    }
    static bool topmost(HWND w) { return (GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }
    static void close(HWND w) { PostMessageW(w, WM_CLOSE, 0, 0); }
};

TEST_F(SecondaryWindows, AboutOpensOnceReopensAfterCloseAndIsNeverTopmost) {
    ASSERT_NO_FATAL_FAILURE(start_idler(false));
    ASSERT_TRUE(click(control(kAbout)));
    HWND about = wait_window(kAboutClass);
    ASSERT_NE(about, nullptr) << "About did not open";
    EXPECT_EQ(text_of(about), std::wstring(L"aB0uT ") + kTitle);
    EXPECT_FALSE(topmost(about));
    const LONG style = GetWindowLongW(about, GWL_STYLE);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_EQ(GetWindow(about, GW_OWNER), nullptr);
    EXPECT_EQ(client_size(about).cx, 268);
    EXPECT_EQ(client_size(about).cy, 217);
    pump_sleep(500);
    screenshot("about-window");

    ASSERT_TRUE(click(control(kAbout)));
    pump_sleep(500);
    EXPECT_EQ(windows_of_class(kAboutClass).size(), 1u);
    EXPECT_EQ(wait_window(kAboutClass), about);

    close(about);
    ASSERT_TRUE(wait_until([&] { return !IsWindow(about); }, 5000));
    ASSERT_TRUE(click(control(kAbout)));
    HWND again = wait_window(kAboutClass);
    ASSERT_NE(again, nullptr) << "About did not reopen after it was closed";
    EXPECT_EQ(text_of(again), std::wstring(L"aB0uT ") + kTitle);
}

TEST_F(SecondaryWindows, DedicationKeywordOpensOneTopmostWindowAndResetsTheBox) {
    ASSERT_NO_FATAL_FAILURE(start_idler(false));
    ASSERT_NO_FATAL_FAILURE(type_reason(L"Juniper"));
    HWND dedication = wait_window(kDedicationClass);
    ASSERT_NE(dedication, nullptr) << "the dedication window did not open";
    EXPECT_EQ(text_of(dedication), L"Juniper.........");
    EXPECT_TRUE(topmost(dedication));
    EXPECT_EQ(GetWindow(dedication, GW_OWNER), nullptr);
    EXPECT_EQ(client_size(dedication).cx, 305);
    EXPECT_EQ(client_size(dedication).cy, 300);
    EXPECT_TRUE(wait_until([&] { return control_text(kReasonBox) == L"Reason Idle........."; }, 2000));
    pump_sleep(500);
    screenshot("dedication-window");

    ASSERT_NO_FATAL_FAILURE(type_reason(L"Juniper"));
    EXPECT_TRUE(wait_until([&] { return control_text(kReasonBox) == L"Reason Idle........."; }, 2000));
    EXPECT_EQ(windows_of_class(kDedicationClass), std::vector<HWND>{dedication});
}

TEST_F(SecondaryWindows, KeywordsOpenTheirMessageBoxesWithTheExactTexts) {
    ASSERT_NO_FATAL_FAILURE(start_idler(false));
    struct Case {
        const wchar_t* keyword;
        const std::wstring* text;
    };
    for (const Case& c : {Case{L"Info", &kInfoBox}, Case{L"Screennames", &kScreenNamesBox},
                          Case{L"MoRdAnT", &kAuthorBox}}) {
        SCOPED_TRACE(narrow(c.keyword));
        ASSERT_NO_FATAL_FAILURE(type_reason(c.keyword));
        HWND box = wait_window(L"#32770");
        ASSERT_NE(box, nullptr) << "no message box opened";
        EXPECT_EQ(text_of(box), kTitle);
        EXPECT_EQ(text_of(GetDlgItem(box, 0xFFFF)), *c.text);  // the message box's text control
        EXPECT_NE(GetDlgItem(box, IDOK), nullptr);
        EXPECT_EQ(GetDlgItem(box, IDCANCEL), nullptr);
        EXPECT_EQ(control_text(kReasonBox), L"Reason Idle.........");
        screenshot(std::string("message-box-") + narrow(c.keyword));
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(wait_until([&] { return !IsWindow(box); }, 5000));
    }
}

TEST_F(SecondaryWindows, ExitWithAboutOpenEndsTheProcessOnlyWhenAboutCloses) {
    ASSERT_NO_FATAL_FAILURE(start_room());
    ASSERT_NO_FATAL_FAILURE(start_idler());
    ASSERT_TRUE(click(control(kAbout)));
    HWND about = wait_window(kAboutClass);
    ASSERT_NE(about, nullptr);
    ASSERT_TRUE(click(control(kExit)));
    std::vector<Record> got = wait_lines(3);
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[1].line, lines::kUnloaded);
    EXPECT_EQ(got[2].line, lines::kCredit);
    EXPECT_TRUE(wait_until([&] { return !IsWindow(idler()); }, 5000)) << "the main window stayed";
    EXPECT_FALSE(idler_.wait_exit(1500)) << "the process ended with About still open";
    EXPECT_TRUE(IsWindow(about));
    close(about);
    EXPECT_TRUE(idler_.wait_exit(10000)) << "the process outlived its last window";
}

TEST_F(SecondaryWindows, ExitInsideAdvsPauseEndsEverything) {
    ASSERT_NO_FATAL_FAILURE(start_room());
    ASSERT_NO_FATAL_FAILURE(start_idler());
    ASSERT_TRUE(click(control(kAdv)));
    ASSERT_EQ(wait_lines(2).size(), 2u);  // the banner: Adv. is now in its first pause
    ASSERT_TRUE(click(control(kExit)));
    EXPECT_TRUE(idler_.wait_exit(10000)) << "the process did not end";
    // The advert posts nothing once the window is gone.
    expect_no_more_lines(4, 1500);
    std::vector<Record> got = lines();
    ASSERT_EQ(got.size(), 4u);
    EXPECT_EQ(got[1].line, lines::kBanner);
    EXPECT_EQ(got[2].line, lines::kUnloaded);
    EXPECT_EQ(got[3].line, lines::kCredit);
}

}  // namespace
}  // namespace desktop
