#include "bridge/tallow_idler.h"

#include "bridge/ansi_text.h"

namespace tallow {

void Tallow_Idler::PostChatLine(const std::wstring& line) { platform_.chat.PostLine(ToWindows1252(line)); }

void Tallow_Idler::WaitSeconds(double seconds) {
  const double start = platform_.clock.Now();
  for (;;) {
    const double elapsed = platform_.clock.Now() - start;
    // Written so that a NaN pause ends at once too.
    if (!(elapsed < seconds) || platform_.pump.QuitRequested()) return;
    platform_.pump.PumpEvents(seconds - elapsed);
  }
}

void Tallow_Idler::KeepOnTop(const Form& window) { platform_.windows.MakeTopmost(window.Handle()); }

void Tallow_Idler::BeginWindowDrag(const Form& window) { platform_.windows.BeginMove(window.Handle()); }

}  // namespace tallow
