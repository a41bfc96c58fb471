// A DLL planted beside the exe (a Downloads folder) under the name of a
// system DLL that the idler loads after it has started must never be loaded.
#include "harness.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <cwctype>
#include <set>

using ::testing::IsEmpty;

namespace desktop {
namespace {

// What the idler loads at run time: GDI+ for its pictures, with what GDI+,
// the version 6 common controls and themes bring along. The DLLs it imports
// directly are known DLLs on Windows, always taken from the system folder.
const wchar_t* const kLateDlls[] = {L"gdiplus", L"windowscodecs", L"comctl32", L"uxtheme",
                                    L"msimg32", L"propsys",       L"actxprxy", L"dwmapi"};

std::wstring lower(std::wstring s) {
  for (wchar_t& c : s) c = static_cast<wchar_t>(std::towlower(c));
  return s;
}

const wchar_t* const kPrograms[] = {L"TallowDivod.exe", L"dll-probe.exe"};

class PlantedDll : public DesktopTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(DesktopTest::SetUp());
    for (const wchar_t* name : kLateDlls) {
      std::wstring planted = name + std::wstring(L".dll");
      DeleteFileW((run_dir_ + L"\\" + planted + L".loaded").c_str());
      ASSERT_TRUE(exists(staged_copy(DESKTOP_PLANTED_DLL, run_dir_, planted)));
    }
    // Wine takes its own built-in DLLs first, which would hide a planted
    // one: tell it to prefer a DLL found on disk, as Windows would. Wine
    // reads WINEDLLOVERRIDES from the environment it was started with,
    // not from ours, so the same overrides go in its per-program keys.
    for (const wchar_t* exe : kPrograms) {
      HKEY key = nullptr;
      ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, overrides_key(exe).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                &key, nullptr),
                ERROR_SUCCESS);
      for (const wchar_t* name : kLateDlls)
        RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(L"native,builtin"),
                       sizeof L"native,builtin");
      RegCloseKey(key);
    }
  }

  void TearDown() override {
    DesktopTest::TearDown();
    for (const wchar_t* exe : kPrograms) {
      std::wstring key = std::wstring(L"Software\\Wine\\AppDefaults\\") + exe;
      RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
    }
  }

  static std::wstring overrides_key(const wchar_t* exe) {
    return std::wstring(L"Software\\Wine\\AppDefaults\\") + exe + L"\\DllOverrides";
  }

  std::vector<std::wstring> planted_ones_loaded() const {
    std::vector<std::wstring> loaded;
    for (const wchar_t* name : kLateDlls)
      if (exists(run_dir_ + L"\\" + name + L".dll.loaded")) loaded.push_back(name);
    return loaded;
  }

  // Opens all three windows, so every picture and icon is loaded, and
  // checks that no planted DLL and nothing from the exe's folder came in.
  void expect_none_loaded();
  bool bare_name_load_finds_planted();
};

// Without this the other test would prove nothing: a program in the same
// folder that loads GDI+ by its bare name gets the planted one.
TEST_F(PlantedDll, ACarelessLoaderInTheSameFolderLoadsIt) {
  Process probe;
  ASSERT_TRUE(probe.start(staged_copy(DESKTOP_DLL_PROBE_EXE, run_dir_), L"gdiplus.dll", job_));
  ASSERT_TRUE(probe.wait_exit(30000));
  EXPECT_TRUE(exists(run_dir_ + L"\\gdiplus.dll.loaded"));
}

TEST_F(PlantedDll, TheIdlerNeverLoadsIt) { expect_none_loaded(); }

// Vista and 7 without KB2533623, and XP, have no SetDefaultDllDirectories:
// the idler takes the other way and still loads none.
TEST_F(PlantedDll, TheIdlerNeverLoadsItWhereWindowsLacksSetDefaultDllDirectories) {
  idler_exe_ = DESKTOP_IDLER_WITHOUT_DEFAULT_DIRS_EXE;
  expect_none_loaded();
}

// Any later load by a bare name inside the running idler, of a DLL that
// Windows has no copy of (a plug-in, say): where Windows has
// SetDefaultDllDirectories only the system folder is searched. Where it has
// not, nothing the idler can call takes the exe's own folder out of the
// search: that is what the hardening leaves open on XP, and on Vista and 7
// without KB2533623, and why the DLLs loaded later are loaded first by path.
bool PlantedDll::bare_name_load_finds_planted() {
  const std::wstring planted = run_dir_ + L"\\tallow-plugin.dll";
  EXPECT_TRUE(exists(staged_copy(DESKTOP_PLANTED_DLL, run_dir_, L"tallow-plugin.dll")));
  DeleteFileW((planted + L".loaded").c_str());
  EXPECT_NO_FATAL_FAILURE(start_room());
  EXPECT_NO_FATAL_FAILURE(start_idler());
  EXPECT_TRUE(load_library_in(idler_.handle(), L"tallow-plugin.dll")) << "cannot run a thread in the idler";
  const bool listed = module_base(idler_.handle(), L"tallow-plugin.dll") != 0;
  EXPECT_EQ(listed, exists(planted + L".loaded"));
  return listed;
}

TEST_F(PlantedDll, ALoadByBareNameInTheIdlerSearchesTheSystemFolderOnly) {
  EXPECT_FALSE(bare_name_load_finds_planted());
}

TEST_F(PlantedDll, ALoadByBareNameStillSearchesTheExeFolderWhereWindowsLacksSetDefaultDllDirectories) {
  idler_exe_ = DESKTOP_IDLER_WITHOUT_DEFAULT_DIRS_EXE;
  EXPECT_TRUE(bare_name_load_finds_planted());
}

void PlantedDll::expect_none_loaded() {
  ASSERT_NO_FATAL_FAILURE(start_room());
  ASSERT_NO_FATAL_FAILURE(start_idler());
  Sleep(500);  // let the main window paint
  EXPECT_THAT(planted_ones_loaded(), IsEmpty()) << "while the main window opened";
  // The main window's picture has been drawn with GDI+; the About window
  // adds its icons, the dedication window its photograph.
  ASSERT_TRUE(click(control("Command5")));
  SendMessageW(control("Text1"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Juniper"));
  ASSERT_TRUE(wait_until([&] { return top_level_windows_of(idler_.pid(), true).size() >= 3; }, 10000))
      << "the About and dedication windows did not open";
  Sleep(500);  // let them paint

  std::vector<Module> modules = modules_of(idler_.handle());
  ASSERT_FALSE(modules.empty()) << "cannot list the idler's modules (error " << GetLastError() << ")";
  const std::wstring folder = lower(run_dir_) + L"\\";
  for (const Module& module : modules) {
    const std::wstring& path = module.path;
    bool beside_exe = path.rfind(folder, 0) == 0 && path.substr(path.size() - 4) == L".dll";
    EXPECT_FALSE(beside_exe) << "loaded from the exe's folder: " << narrow(path);
  }
  EXPECT_THAT(planted_ones_loaded(), IsEmpty());

  // The real GDI+ did the work: the photograph is on screen. A planted one
  // has none of GDI+'s functions and would have left the window blank.
  HWND dedication = FindWindowW(tallow::kForm3Class, nullptr);
  ASSERT_NE(dedication, nullptr);
  RECT rc = screen_rect(dedication);
  Image shot = capture_screen();
  std::set<std::uint32_t> colours;
  for (int y = std::max(0L, rc.top + 40); y < std::min<LONG>(rc.bottom, shot.height); y += 3)
    for (int x = std::max(0L, rc.left + 10); x < std::min<LONG>(rc.right - 10, shot.width); x += 3)
      colours.insert(shot.at(x, y));
  EXPECT_GT(colours.size(), 64u) << "the dedication window shows no photograph";
}

}  // namespace
}  // namespace desktop
