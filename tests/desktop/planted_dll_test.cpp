// A DLL planted beside the exe (a Downloads folder) under the name of a
// system DLL that the idler loads after it has started must never be loaded.
#include "harness.h"

#include <gmock/gmock.h>

using ::testing::IsEmpty;

namespace desktop {
namespace {

// What the idler loads at run time: the version 6 common controls and what
// the themes bring along; and GDI+ with its codecs, which a program that
// shows pictures may load (the idler decodes its own). The DLLs it imports
// directly are known DLLs on Windows, always taken from the system folder.
const wchar_t* const kLateDlls[] = {L"gdiplus", L"windowscodecs", L"comctl32", L"uxtheme",
                                    L"msimg32", L"propsys",       L"actxprxy", L"dwmapi"};

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
    std::vector<UserSettings::Setting> overrides;
    for (const wchar_t* exe : {L"TallowDivod.exe", L"dll-probe.exe"})
      for (const wchar_t* name : kLateDlls)
        overrides.push_back(
            {std::wstring(L"Software\\Wine\\AppDefaults\\") + exe + L"\\DllOverrides", name, L"native,builtin"});
    ASSERT_TRUE(overrides_.emplace(std::move(overrides)).all_set());
  }

  std::vector<std::wstring> planted_ones_loaded() const {
    std::vector<std::wstring> loaded;
    for (const wchar_t* name : kLateDlls)
      if (exists(run_dir_ + L"\\" + name + L".dll.loaded")) loaded.push_back(name);
    return loaded;
  }

  // Opens all three windows, so every picture and icon is loaded, and
  // checks that no planted DLL and nothing from the exe's folder came in.
  void expect_none_loaded() {
    ASSERT_NO_FATAL_FAILURE(start_room());
    ASSERT_NO_FATAL_FAILURE(start_idler());
    EXPECT_TRUE(wait_until([&] { return idler_shows_its_picture(); }, 5000)) << "the main window shows no picture";
    EXPECT_THAT(planted_ones_loaded(), IsEmpty()) << "while the main window opened";
    // The main window's picture has been drawn; the About window adds its
    // icons, the dedication window its photograph.
    ASSERT_TRUE(click(control("Command5")));
    set_reason(L"Juniper");
    HWND dedication = wait_window(tallow::kForm3Class, 10000);
    ASSERT_NE(dedication, nullptr) << "the dedication window did not open";
    ASSERT_NE(wait_window(tallow::kForm2Class), nullptr) << "the About window did not open";
    // The photograph is on screen.
    RECT photo = screen_rect(dedication);
    photo.top += 40;
    InflateRect(&photo, -10, 0);
    EXPECT_TRUE(wait_until([&] { return colours_on_screen(photo) > 64; }, 5000))
        << "the dedication window shows no photograph";

    std::vector<Module> modules = modules_of(idler_.handle());
    ASSERT_FALSE(modules.empty()) << "cannot list the idler's modules (error " << GetLastError() << ")";
    const std::wstring folder = lower(run_dir_) + L"\\";
    for (const Module& module : modules) {
      const std::wstring& path = module.path;
      bool beside_exe = path.rfind(folder, 0) == 0 && path.substr(path.size() - 4) == L".dll";
      EXPECT_FALSE(beside_exe) << "loaded from the exe's folder: " << narrow(path);
    }
    EXPECT_THAT(planted_ones_loaded(), IsEmpty());
  }

  // Any later load by a bare name inside the running idler, of a DLL that
  // Windows has no copy of (a plug-in, say): where Windows has
  // SetDefaultDllDirectories only the system folder is searched. Where it
  // has not, nothing the idler can call takes the exe's own folder out of
  // the search: that is what the hardening leaves open on XP, and on Vista
  // and 7 without KB2533623, and why the DLLs loaded later are loaded first
  // by path.
  bool bare_name_load_finds_planted() {
    const std::wstring planted = run_dir_ + L"\\tallow-plugin.dll";
    EXPECT_TRUE(exists(staged_copy(DESKTOP_PLANTED_DLL, run_dir_, L"tallow-plugin.dll")));
    DeleteFileW((planted + L".loaded").c_str());
    EXPECT_TRUE(load_library_in(idler_.handle(), L"tallow-plugin.dll")) << "cannot run a thread in the idler";
    const bool listed = module_base(idler_.handle(), L"tallow-plugin.dll") != 0;
    EXPECT_EQ(listed, exists(planted + L".loaded"));
    return listed;
  }

  // Put back once the test's processes are gone.
  std::optional<UserSettings> overrides_;
};

// Last, a program in the same folder that loads one by its bare name gets
// the planted one: without that the idler's loading none would prove nothing.
TEST_F(PlantedDll, TheIdlerLoadsNoneAndALoadByBareNameSearchesTheSystemFolderOnlyWhereACarelessLoaderFindsIt) {
  ASSERT_NO_FATAL_FAILURE(expect_none_loaded());
  EXPECT_FALSE(bare_name_load_finds_planted());

  Process probe;
  ASSERT_TRUE(probe.start(staged_copy(DESKTOP_DLL_PROBE_EXE, run_dir_), L"gdiplus.dll", job_));
  ASSERT_TRUE(probe.wait_exit(30000));
  EXPECT_TRUE(exists(run_dir_ + L"\\gdiplus.dll.loaded"));
}

// Vista and 7 without KB2533623, and XP, have no SetDefaultDllDirectories:
// the idler takes the other way and still loads none.
TEST_F(PlantedDll, WhereWindowsLacksSetDefaultDllDirectoriesTheIdlerLoadsNoneButABareNameStillSearchesTheExeFolder) {
  idler_exe_ = DESKTOP_IDLER_WITHOUT_DEFAULT_DIRS_EXE;
  ASSERT_NO_FATAL_FAILURE(expect_none_loaded());
  EXPECT_TRUE(bare_name_load_finds_planted());
}

}  // namespace
}  // namespace desktop
