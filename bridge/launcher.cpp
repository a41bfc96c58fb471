#include "bridge/launcher.h"

#include "bridge/ansi_text.h"
#include "bridge/tallow_idler.h"

namespace tallow {
namespace {
constexpr std::size_t kTempPathBuffer = 256;
constexpr std::size_t kExecutableBuffer = 260;  // MAX_PATH: what FindExecutableA fills
// The look-up needs a file that exists; only its extension matters.
const std::string kLookUpFile = "dummy.html";
}  // namespace

std::string CutAtNul(const std::string& text) { return text.substr(0, text.find('\0')); }

bool Tallow_Idler::LaunchUrl(const std::wstring& url) {
  long code = 0;
  const std::wstring browser = LocateBrowser(code);
  if (code <= 32 || browser.empty()) return false;
  // The path goes in as the application name, so spaces in it need no quotes.
  return platform_.shell.StartProcess(ToWindows1252(browser), " " + ToWindows1252(url));
}

std::wstring Tallow_Idler::LocateBrowser(long& code) {
  code = 0;
  const std::wstring folder = TempFolderPath();
  if (folder.empty()) return {};
  const std::string directory = ToWindows1252(folder);
  const std::string file = directory + kLookUpFile;

  Shell& shell = platform_.shell;
  const Shell::NewFile made = shell.CreateNewFile(file);
  // A "dummy.html" of the user's is looked up as it stands and left alone;
  // a folder of that name is no use.
  if (made == Shell::NewFile::kFailed) return {};
  if (made == Shell::NewFile::kExists && !shell.IsFile(file)) return {};

  std::string buffer(kExecutableBuffer, ' ');
  code = shell.LookUpExecutable(kLookUpFile, directory, buffer);
  if (made == Shell::NewFile::kCreated) shell.RemoveFile(file);
  return FromWindows1252(CutAtNul(buffer));
}

std::wstring Tallow_Idler::TempFolderPath() {
  std::string buffer(kTempPathBuffer, ' ');
  const unsigned long length = platform_.shell.TempPath(buffer);
  // 0 is a failure; a length that does not fit is the size the path would
  // need, and the buffer then holds no path at all.
  if (length == 0 || length >= buffer.size()) return {};
  std::wstring path = FromWindows1252(CutAtNul(buffer));
  if (path.empty() || path.back() != L'\\') return {};
  return path;
}

}  // namespace tallow
