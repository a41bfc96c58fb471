#include "bridge/launcher.h"

#include "bridge/ansi_text.h"

namespace tallow {
namespace {
constexpr std::size_t kTempPathBuffer = 256;
constexpr std::size_t kExecutableBuffer = 260;  // MAX_PATH: what FindExecutableA fills
// The look-up needs a file that exists; only its extension matters.
const std::string kLookUpFile = "dummy.html";
}  // namespace

std::string CutAtNul(const std::string& text) { return text.substr(0, text.find('\0')); }

bool BrowserLauncher::LaunchUrl(const std::wstring& url) {
  long code = 0;
  const std::wstring browser = LocateBrowser(code);
  if (code <= 32 || browser.empty()) return false;
  // The path goes in as the application name, so spaces in it need no quotes.
  return shell_.StartProcess(ToWindows1252(browser), " " + ToWindows1252(url));
}

std::wstring BrowserLauncher::LocateBrowser(long& code) {
  code = 0;
  const std::wstring folder = TempFolderPath();
  if (folder.empty()) return {};
  const std::string directory = ToWindows1252(folder);
  const std::string file = directory + kLookUpFile;

  const Shell::NewFile made = shell_.CreateNewFile(file);
  // A "dummy.html" of the user's is looked up as it stands and left alone;
  // a folder of that name is no use.
  if (made == Shell::NewFile::kFailed) return {};
  if (made == Shell::NewFile::kExists && !shell_.IsFile(file)) return {};

  std::string buffer(kExecutableBuffer, ' ');
  code = shell_.LookUpExecutable(kLookUpFile, directory, buffer);
  if (made == Shell::NewFile::kCreated) shell_.RemoveFile(file);
  return FromWindows1252(CutAtNul(buffer));
}

std::wstring BrowserLauncher::TempFolderPath() {
  std::string buffer(kTempPathBuffer, ' ');
  const unsigned long length = shell_.TempPath(buffer);
  // 0 is a failure; a length that does not fit is the size the path would
  // need, and the buffer then holds no path at all.
  if (length == 0 || length >= buffer.size()) return {};
  std::wstring path = FromWindows1252(CutAtNul(buffer));
  if (path.empty() || path.back() != L'\\') return {};
  return path;
}

}  // namespace tallow
