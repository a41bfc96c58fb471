// The Site button: the idler finds the program that opens ".html" files and
// starts it with the makers' page. A stand-in browser, installed under a path
// with spaces and registered for ".html", records how it was started. Each
// test gives the idler a temporary folder of its own through TMP and TEMP.
#include "harness.h"

#include <gmock/gmock.h>

namespace desktop {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const wchar_t kMakersPage[] = L"http://www.gloaming-inc.example/tallow-divod/";
const wchar_t kBrowserDir[] = L"C:\\Program Files\\Tallow Fake Browser";
const wchar_t kBrowserExe[] = L"C:\\Program Files\\Tallow Fake Browser\\fake browser.exe";
const wchar_t kBrowserProgId[] = L"TallowDivod.SiteTest.Browser";
const wchar_t kNoHandlerProgId[] = L"TallowDivod.SiteTest.NoHandler";

// The default value of a key of HKCR, nullopt where there is none; setting
// nullopt takes it out.
std::optional<std::wstring> class_default(const std::wstring& key) {
  wchar_t value[1024];
  DWORD size = sizeof value;
  if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
    return std::nullopt;
  return std::wstring(value);
}

bool set_class_default(const std::wstring& key, const std::optional<std::wstring>& value) {
  if (!value) return RegDeleteKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr) == ERROR_SUCCESS;
  const DWORD size = static_cast<DWORD>((value->size() + 1) * sizeof(wchar_t));
  return RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, REG_SZ, value->c_str(), size) == ERROR_SUCCESS;
}

// What the idler reads for its temporary folder, and where the stand-in
// browser writes.
const wchar_t* const kVariables[] = {L"TMP", L"TEMP", L"FAKE_BROWSER_RECORDS"};

std::wstring empty_folder(const std::wstring& folder) {
  CreateDirectoryW(folder.c_str(), nullptr);
  for (const std::wstring& name : files_in(folder)) DeleteFileW((folder + L"\\" + name).c_str());
  return folder;
}

// One start of the stand-in browser, as fake_browser.cpp writes it.
struct Launch {
  DWORD flags = 0;
  unsigned show = 0;
  std::wstring command_line;
};

Launch parse_launch(const std::string& record) {
  Launch launch;
  size_t first = record.find('\n');
  size_t second = record.find('\n', first + 1);
  if (first == std::string::npos || second == std::string::npos) return launch;
  launch.flags = std::strtoul(record.substr(0, first).c_str(), nullptr, 16);
  launch.show = std::strtoul(record.substr(first + 1, second - first - 1).c_str(), nullptr, 10);
  launch.command_line = widen(record.substr(second + 1));
  return launch;
}

// What a launch must not change about the main window.
struct WindowLook {
  RECT rect{};
  std::vector<std::wstring> controls;  // class and text of each child, in order

  static WindowLook of(HWND window) {
    WindowLook look;
    look.rect = screen_rect(window);
    EnumChildWindows(
        window,
        [](HWND child, LPARAM lp) CALLBACK -> BOOL {
          reinterpret_cast<WindowLook*>(lp)->controls.push_back(class_of(child) + L" \"" + text_of(child) + L"\"");
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&look));
    return look;
  }
};

class Site : public DesktopTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(DesktopTest::SetUp());
    for (const wchar_t* name : kVariables) saved_variables_.push_back(environment(name));
    saved_html_ = class_default(L".html");
    // Left over from a run that died half-way: there was nothing before it.
    if (saved_html_ == kBrowserProgId || saved_html_ == kNoHandlerProgId) saved_html_.reset();

    // A folder name with a space, as under "Documents and Settings".
    temp_dir_ = empty_folder(run_dir_ + L"\\temp folder");
    records_dir_ = empty_folder(run_dir_ + L"\\browser starts");
    use_temp_folder(temp_dir_ + L"\\");
    SetEnvironmentVariableW(L"FAKE_BROWSER_RECORDS", records_dir_.c_str());

    CreateDirectoryW(kBrowserDir, nullptr);
    ASSERT_TRUE(CopyFileW(windows_path(DESKTOP_FAKE_BROWSER_EXE).c_str(), kBrowserExe, FALSE))
        << "cannot install the stand-in browser (error " << GetLastError() << ")";
  }

  void TearDown() override {
    DesktopTest::TearDown();  // ends the idler, and a browser still running with it
    for (size_t i = 0; i < saved_variables_.size(); ++i) set_environment(kVariables[i], saved_variables_[i]);
    set_class_default(L".html", saved_html_);
    RegDeleteTreeW(HKEY_CLASSES_ROOT, kBrowserProgId);
    RegDeleteTreeW(HKEY_CLASSES_ROOT, kNoHandlerProgId);
    wait_until([] { return DeleteFileW(kBrowserExe) || !exists(kBrowserExe); }, 10000, 100);
    RemoveDirectoryW(kBrowserDir);
  }

  // The idler reads TMP (then TEMP) when it starts a look-up.
  void use_temp_folder(const std::wstring& folder) {
    SetEnvironmentVariableW(L"TMP", folder.c_str());
    SetEnvironmentVariableW(L"TEMP", folder.c_str());
  }

  // ".html" opens with the stand-in browser, quoted as installers write it.
  void register_browser() {
    std::wstring command = std::wstring(L"\"") + kBrowserExe + L"\" \"%1\"";
    ASSERT_TRUE(set_class_default(std::wstring(kBrowserProgId) + L"\\shell\\open\\command", command));
    ASSERT_TRUE(set_class_default(L".html", kBrowserProgId));
  }

  // ".html" names a file type that has no program to open it.
  void register_no_handler() {
    ASSERT_TRUE(set_class_default(kNoHandlerProgId, L"No program"));
    ASSERT_TRUE(set_class_default(L".html", kNoHandlerProgId));
  }

  // Presses Site and returns once the idler has handled the press. A
  // button's state can be read only between the idler's messages, and the
  // click's handler runs inside the button-up message: so the button seen
  // released after it was seen pushed means the handler has returned.
  ::testing::AssertionResult press_site() {
    HWND button = control("Command6");
    if (auto there = point_at(button); !there) return there;
    auto shows = [&](bool pushed, int timeout_ms) {
      return wait_until(
          [&] {
            DWORD_PTR state = 0;
            return SendMessageTimeoutW(button, BM_GETSTATE, 0, 0, SMTO_NORMAL, 3000, &state) &&
                   ((state & BST_PUSHED) != 0) == pushed;
          },
          timeout_ms);
    };
    mouse_button(Button::Left, true);
    const bool down = shows(true, 15000);
    mouse_button(Button::Left, false);
    if (!down) return ::testing::AssertionFailure() << "Site never showed pushed";
    if (!shows(false, 30000)) return ::testing::AssertionFailure() << "the idler did not finish handling the press";
    return ::testing::AssertionSuccess();
  }

  // Site's handler has returned: a process that it started has joined the
  // job by then, before the process has run at all.
  void expect_press_starts_nothing() {
    const DWORD started = processes_started();
    ASSERT_TRUE(press_site());
    EXPECT_EQ(processes_started(), started) << "Site started a process";
    EXPECT_THAT(launches(), IsEmpty());
  }

  std::vector<Launch> launches() const {
    std::vector<Launch> out;
    for (const std::wstring& name : files_in(records_dir_))
      if (name.size() > 4 && name.compare(name.size() - 4, 4, L".txt") == 0)
        out.push_back(parse_launch(read_file(records_dir_ + L"\\" + name)));
    return out;
  }

  std::vector<Launch> wait_launches(size_t n) const {
    return wait_for([&] { return launches(); }, [&](const auto& got) { return got.size() >= n; }, 30000, 50);
  }

  void expect_unchanged(const WindowLook& before) {
    WindowLook after = WindowLook::of(idler());
    EXPECT_TRUE(EqualRect(&before.rect, &after.rect)) << "the main window moved or changed size";
    EXPECT_EQ(after.controls, before.controls);
    EXPECT_THAT(other_windows(), IsEmpty());
    EXPECT_TRUE(idler_.running());
    EXPECT_GE(ping_ms(idler(), 5000), 0) << "the idler does not answer messages";
  }

  std::wstring temp_dir_;
  std::wstring records_dir_;
  std::vector<std::optional<std::wstring>> saved_variables_;
  std::optional<std::wstring> saved_html_;
};

// With no program for ".html" Site starts nothing. With the stand-in browser
// registered the same idler starts it, shown normally at normal priority
// with the address; and again past a dummy.html of the user's own, which it
// leaves as it was.
TEST_F(Site, StartsTheHtmlProgramShownNormallyWithTheAddress) {
  ASSERT_NO_FATAL_FAILURE(register_no_handler());
  ASSERT_NO_FATAL_FAILURE(start_idler(false));
  WindowLook before = WindowLook::of(idler());
  // Wine starts every process at normal priority, whatever it is asked.
  ASSERT_TRUE(load_probe());
  ASSERT_NO_FATAL_FAILURE(expect_press_starts_nothing());
  EXPECT_THAT(files_in(temp_dir_), IsEmpty()) << "the look-up's file was left behind";
  expect_unchanged(before);

  ASSERT_NO_FATAL_FAILURE(register_browser());
  const DWORD started = processes_started();
  ASSERT_TRUE(press_site());
  EXPECT_EQ(processes_started(), started + 1);
  EXPECT_EQ(probe_long("create_process_calls"), 1);
  EXPECT_EQ(probe_long("create_process_flags"), LONG{NORMAL_PRIORITY_CLASS})
      << "the browser is not started at normal priority";
  std::vector<Launch> got = wait_launches(1);
  ASSERT_EQ(got.size(), 1u) << "the stand-in browser was not started once";
  // Exactly one space and the address: the program is named apart from
  // its command line, so the path's spaces need no quotes.
  EXPECT_EQ(narrow(got[0].command_line), " " + narrow(kMakersPage));
  EXPECT_EQ(got[0].flags, static_cast<DWORD>(STARTF_USESHOWWINDOW));
  EXPECT_EQ(got[0].show, static_cast<unsigned>(SW_SHOWNORMAL));
  EXPECT_THAT(files_in(temp_dir_), IsEmpty()) << "the look-up's file was left behind";
  expect_unchanged(before);

  const std::wstring users = temp_dir_ + L"\\dummy.html";
  const std::string content = "<p>the user's own page</p>\r\n";
  HANDLE file = CreateFileW(users.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  // Well in the past, so any write would show in the time stamp.
  SYSTEMTIME when{2003, 4, 0, 5, 6, 7, 8, 0};
  FILETIME stamp{};
  SystemTimeToFileTime(&when, &stamp);
  ASSERT_TRUE(SetFileTime(file, &stamp, nullptr, &stamp));
  CloseHandle(file);
  ASSERT_TRUE(press_site());
  got = wait_launches(2);
  ASSERT_EQ(got.size(), 2u) << "the look-up through the user's file found no browser";
  for (const Launch& launch : got) EXPECT_EQ(narrow(launch.command_line), " " + narrow(kMakersPage));
  ASSERT_TRUE(exists(users)) << "the user's dummy.html was deleted";
  EXPECT_EQ(read_file(users), content);
  WIN32_FILE_ATTRIBUTE_DATA after{};
  ASSERT_TRUE(GetFileAttributesExW(users.c_str(), GetFileExInfoStandard, &after));
  EXPECT_EQ(CompareFileTime(&after.ftLastWriteTime, &stamp), 0) << "the user's dummy.html was written to";
  EXPECT_EQ(CompareFileTime(&after.ftCreationTime, &stamp), 0) << "the user's dummy.html was made anew";
  EXPECT_THAT(files_in(temp_dir_), ElementsAre(L"dummy.html"));
}

// Nothing may be created in it, not even by root: under Wine a folder
// marked read-only loses its write permission, and sysfs takes no new files
// from anyone.
std::wstring unwritable_folder(const std::wstring& run_dir) {
  const std::wstring locked = run_dir + L"\\locked temp";
  CreateDirectoryW(locked.c_str(), nullptr);
  SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_READONLY);
  for (const std::wstring& folder : {locked, std::wstring(L"Z:\\sys")}) {
    const std::wstring probe = folder + L"\\probe.tmp";
    HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return folder;
    CloseHandle(file);
    DeleteFileW(probe.c_str());
  }
  return L"";
}

// A temporary folder that is missing, then one that cannot be written.
TEST_F(Site, WithTheTempFolderMissingOrUnwritableStartsNothingAndLeavesNoFile) {
  ASSERT_NO_FATAL_FAILURE(register_browser());
  const std::wstring missing = run_dir_ + L"\\no such folder";
  RemoveDirectoryW(missing.c_str());
  const std::wstring locked = unwritable_folder(run_dir_);
  ASSERT_FALSE(locked.empty()) << "found no folder this test cannot write in";
  for (const std::wstring& folder : {missing, locked}) {
    SCOPED_TRACE("temporary folder " + narrow(folder));
    const std::vector<std::wstring> files_before = files_in(folder);
    use_temp_folder(folder + L"\\");
    ASSERT_NO_FATAL_FAILURE(start_idler(false));  // the idler reads TMP as it starts
    WindowLook before = WindowLook::of(idler());
    ASSERT_NO_FATAL_FAILURE(expect_press_starts_nothing());
    EXPECT_EQ(files_in(folder), files_before) << "the launch left a file behind";
    EXPECT_FALSE(folder == missing && exists(missing)) << "the launch made the missing temporary folder";
    expect_unchanged(before);
  }
  SetFileAttributesW((run_dir_ + L"\\locked temp").c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
}  // namespace desktop
