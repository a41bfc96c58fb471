// The Site button's launcher: finding the program that opens ".html" files
// through a throwaway file in the temporary folder, and starting it with the
// address, without ever touching a file of the user's.
#include "bridge/launcher.h"
#include "bridge/tallow_idler.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace tallow {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(CutAtNul, CutsAtTheFirstNul) {
  EXPECT_EQ(Tallow_Idler::CutAtNul("abc"), "abc");
  EXPECT_EQ(Tallow_Idler::CutAtNul(""), "");
  EXPECT_EQ(Tallow_Idler::CutAtNul(std::string("\0abc", 4)), "");
  EXPECT_EQ(Tallow_Idler::CutAtNul(std::string("abc\0def", 7)), "abc");
  EXPECT_EQ(Tallow_Idler::CutAtNul(std::string("abc\0d\0f", 7)), "abc");
}

// A buffer as the fake saw it: "N spaces" while untouched, else its bytes.
std::string Describe(const std::string& buffer) {
  if (buffer.find_first_not_of(' ') == std::string::npos) return std::to_string(buffer.size()) + " spaces";
  return "\"" + buffer + "\"";
}

// The platform calls with a small file system behind them: which folders can
// be written to, which files exist. Every call is logged in order.
class FakeShell : public Shell {
 public:
  unsigned long TempPath(std::string& buffer) override {
    log.push_back("TempPath(" + Describe(buffer) + ")");
    // As GetTempPathA: too small a buffer is left alone, and the size the
    // path needs, NUL included, comes back.
    if (tempPath.size() + 1 > buffer.size()) return static_cast<unsigned long>(tempPath.size() + 1);
    buffer.replace(0, tempPath.size() + 1, tempPath + '\0');
    // A failed call may still have written something.
    return tempPathFails ? 0 : static_cast<unsigned long>(tempPath.size());
  }
  NewFile CreateNewFile(const std::string& path) override {
    log.push_back("CreateNewFile(" + path + ")");
    if (files.count(path) || folders.count(path)) return NewFile::kExists;
    if (!writableFolders.count(path.substr(0, path.rfind('\\') + 1))) return NewFile::kFailed;
    files.insert(path);
    return NewFile::kCreated;
  }
  bool IsFile(const std::string& path) override {
    log.push_back("IsFile(" + path + ")");
    return files.count(path) > 0;
  }
  bool RemoveFile(const std::string& path) override {
    log.push_back("RemoveFile(" + path + ")");
    return files.erase(path) > 0;
  }
  long LookUpExecutable(const std::string& file, const std::string& directory, std::string& buffer) override {
    log.push_back("LookUpExecutable(" + file + ", " + directory + ", " + Describe(buffer) + ")");
    // As FindExecutableA: the file must be there.
    if (!files.count(directory + file)) return 2;
    buffer.replace(0, browser.size() + 1, browser + '\0');
    return lookUpCode;
  }
  bool StartProcess(const std::string& application, const std::string& commandLine) override {
    log.push_back("StartProcess(" + application + "|" + commandLine + ")");
    return startSucceeds;
  }

  std::string tempPath = "C:\\Users\\Zo\xEB\\Temp\\";
  bool tempPathFails = false;
  std::set<std::string> writableFolders{tempPath};
  std::set<std::string> files;
  std::set<std::string> folders;
  std::string browser = "C:\\Program Files\\Web Browser\\browser.exe";
  long lookUpCode = 42;
  bool startSucceeds = true;
  std::vector<std::string> log;
};

class Launch : public ::testing::Test {
 protected:
  FakeShell shell;
  BrowserLauncher launcher{shell};
  const std::string dummy = shell.tempPath + "dummy.html";
};

TEST_F(Launch, StartsTheHtmlProgramWithASpaceAndTheAddress) {
  // "ë" and "é" cross as their Windows-1252 bytes, both ways.
  EXPECT_TRUE(launcher.LaunchUrl(L"http://example.com/caf\u00E9?a=1&b=2"));
  EXPECT_THAT(shell.log,
              ElementsAre("TempPath(256 spaces)",  //
                          "CreateNewFile(C:\\Users\\Zo\xEB\\Temp\\dummy.html)",
                          "LookUpExecutable(dummy.html, C:\\Users\\Zo\xEB\\Temp\\, 260 spaces)",
                          "RemoveFile(C:\\Users\\Zo\xEB\\Temp\\dummy.html)",
                          "StartProcess(C:\\Program Files\\Web Browser\\browser.exe"
                          "| http://example.com/caf\xE9?a=1&b=2)"));
  EXPECT_THAT(shell.files, IsEmpty());
}

TEST_F(Launch, LocateBrowserGivesTheProgramAndTheCode) {
  EXPECT_EQ(launcher.TempFolderPath(), L"C:\\Users\\Zo\u00EB\\Temp\\");
  long code = 0;
  EXPECT_EQ(launcher.LocateBrowser(code), L"C:\\Program Files\\Web Browser\\browser.exe");
  EXPECT_EQ(code, 42);
  EXPECT_THAT(shell.files, IsEmpty());
}

TEST_F(Launch, OnlyACodeAbove32CountsAsFound) {
  for (long code : {0L, 2L, 31L, 32L, 33L}) {
    SCOPED_TRACE("code " + std::to_string(code));
    shell.log.clear();
    shell.lookUpCode = code;
    EXPECT_EQ(launcher.LaunchUrl(L"http://example.com/"), code > 32);
    EXPECT_EQ(shell.log.back().rfind("StartProcess(", 0) == 0, code > 32);
    // The file it made goes whatever the look-up gave.
    EXPECT_THAT(shell.files, IsEmpty());
  }
  shell.lookUpCode = 42;
  shell.browser = "";
  EXPECT_FALSE(launcher.LaunchUrl(L"http://example.com/"));
  EXPECT_EQ(shell.log.back(), "RemoveFile(" + dummy + ")");
}

TEST_F(Launch, AStartThatFailsReturnsFalse) {
  shell.startSucceeds = false;
  EXPECT_FALSE(launcher.LaunchUrl(L"http://example.com/"));
  EXPECT_THAT(shell.files, IsEmpty());
}

TEST_F(Launch, AUsersOwnDummyHtmlIsLookedUpButNeverRemoved) {
  shell.files.insert(dummy);
  EXPECT_TRUE(launcher.LaunchUrl(L"http://example.com/"));
  EXPECT_THAT(shell.log, ElementsAre("TempPath(256 spaces)", "CreateNewFile(" + dummy + ")", "IsFile(" + dummy + ")",
                                     "LookUpExecutable(dummy.html, " + shell.tempPath + ", 260 spaces)",
                                     "StartProcess(" + shell.browser + "| http://example.com/)"));

  // Nor when nothing is found, nor in a folder we cannot write to.
  shell.lookUpCode = 31;
  shell.writableFolders.clear();
  EXPECT_FALSE(launcher.LaunchUrl(L"http://example.com/"));
  EXPECT_THAT(shell.files, ElementsAre(dummy));
  for (const std::string& call : shell.log) EXPECT_EQ(call.rfind("RemoveFile(", 0), std::string::npos);
}

TEST_F(Launch, AnUnusableTempFolderStartsNothingAndLeavesNoFile) {
  struct Case {
    const char* what;
    std::string path;
    bool fails;
    bool writable;
    bool folderNamedDummy;
  };
  const std::string longPath = "C:\\" + std::string(252, 'x') + "\\";  // 256 bytes: no room for the NUL
  const Case cases[] = {
      {"GetTempPathA fails", "C:\\Temp\\", true, true, false},
      {"longer than the buffer", longPath, false, true, false},
      {"no backslash at its end", "C:\\Temp", false, true, false},
      {"missing or read-only", "C:\\Temp\\", false, false, false},
      {"a folder named dummy.html in it", "C:\\Temp\\", false, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FakeShell shell;
    shell.tempPath = c.path;
    shell.tempPathFails = c.fails;
    // The drive's root can be written to, so a path cut short would show.
    shell.writableFolders = {"C:\\"};
    if (c.writable) shell.writableFolders.insert(c.path);
    if (c.folderNamedDummy) shell.folders.insert(c.path + "dummy.html");
    BrowserLauncher launcher{shell};

    EXPECT_FALSE(launcher.LaunchUrl(L"http://example.com/"));
    EXPECT_THAT(shell.files, IsEmpty());
    for (const std::string& call : shell.log) {
      EXPECT_EQ(call.rfind("LookUpExecutable(", 0), std::string::npos);
      EXPECT_EQ(call.rfind("StartProcess(", 0), std::string::npos);
    }
  }
}

TEST_F(Launch, ATempPathThatJustFitsIsUsed) {
  shell.tempPath = "C:\\" + std::string(251, 'x') + "\\";  // 255 bytes and the NUL
  EXPECT_EQ(launcher.TempFolderPath(), std::wstring(shell.tempPath.begin(), shell.tempPath.end()));
}

}  // namespace
}  // namespace tallow
