// Loads each DLL named on its command line the careless way (a bare name,
// the default search order), to show that a planted DLL would be found.
#include <windows.h>
#include <shellapi.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int count = 0;
  wchar_t** names = CommandLineToArgvW(GetCommandLineW(), &count);
  int loaded = 0;
  for (int i = 1; names && i < count; ++i)
    if (LoadLibraryW(names[i])) ++loaded;
  return loaded;
}
