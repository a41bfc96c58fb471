#pragma once

// A window as it is declared, once: its properties, its controls, its timers
// and which handler each event goes to. The platform's window and the unit
// tests' simulated one are both built from the same declaration, and tools
// that drive a window from outside find its controls by it.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "runtime/event.h"
#include "runtime/timer_driver.h"

namespace tallow {

// An RGB colour (0x00BBGGRR), or one of the platform's system colours, read
// when the window loads (0x80000000 plus its index, as forms write them).
struct Colour {
  std::uint32_t value;
  constexpr bool IsSystem() const { return (value & 0x80000000u) != 0; }
  constexpr int SystemIndex() const { return static_cast<int>(value & 0xFFu); }
};
constexpr Colour Rgb(unsigned red, unsigned green, unsigned blue) { return {red | green << 8 | blue << 16}; }
constexpr Colour SystemColour(int index) { return {0x80000000u | static_cast<std::uint32_t>(index)}; }

// A font: the first of its faces that is installed (the first when none is),
// at a size in points and a weight (400 regular, 700 bold).
struct FontChoice {
  const wchar_t* faces[4];
  double points;
  int weight;
};

enum class ControlKind {
  kButton,   // a push button; takes the focus
  kTextBox,  // one line of text, any length; takes the focus
  kLabel,    // text that wraps at word boundaries; a press on it is its own
  kFrame,    // a captioned group box that holds controls; keeps presses too
};

// Positions and sizes in twips (1/1440 inch; 15 a pixel at 96 DPI).
struct TwipsRect {
  int left, top, width, height;
};

// One control. Rows are in creation order, which is also the tab order.
struct ControlRow {
  int id;            // unique in its window
  const char* name;  // the control's name in the form: "Command1"
  ControlKind kind;
  const wchar_t* text;  // caption or initial text
  TwipsRect rect;       // relative to its container
  Event click = {};
  const FontChoice* font = nullptr;  // nullptr: the window's font
  bool transparent = false;          // what lies behind shows around the text
  Colour textColour = Rgb(0, 0, 0);
  int container = 0;  // id of the frame that holds it; 0 for the window
};

struct TimerRow {
  const char* name;
  double intervalSeconds;
  TimerDriver::Delivery delivery;
  bool onAtLoad = false;
  Event tick;
};

enum class Border {
  kNone,         // no title bar or frame; its own task bar button
  kFixedSingle,  // a title bar with the icon, the caption and a close button
};

enum class Placement { kCentred, kTopRight };

struct FormDeclaration {
  const wchar_t* windowClass;
  const wchar_t* caption;
  Border border;
  int width, height;  // of the client area, in twips
  Colour background;
  int pictureId = 0;                 // a JPEG resource drawn at the top-left corner; 0 for none
  int iconId = 0;                    // an icon resource; 0 for the platform's
  const FontChoice* font = nullptr;  // the controls' font; nullptr for the platform's
  Placement placement;
  std::span<const ControlRow> controls = {};
  std::span<const TimerRow> timers = {};
  Event load = {};
  Event mouseDown = {};

  // The index of the control or timer named `name`, looked up as the
  // program compiles: a name that no row has stops the compile at
  // NoControlOfThatName or NoTimerOfThatName.
  consteval std::size_t ControlIndex(std::string_view name) const {
    for (std::size_t i = 0; i < controls.size(); ++i)
      if (name == controls[i].name) return i;
    NoControlOfThatName();
  }
  consteval std::size_t TimerIndex(std::string_view name) const {
    for (std::size_t i = 0; i < timers.size(); ++i)
      if (name == timers[i].name) return i;
    NoTimerOfThatName();
  }
  // True when each of its events is unset or names a member of Handlers.
  template <class Handlers>
  consteval bool HandledBy() const {
    for (const ControlRow& row : controls)
      if (!row.click.GoesTo<Handlers>()) return false;
    for (const TimerRow& row : timers)
      if (!row.tick.GoesTo<Handlers>()) return false;
    return load.GoesTo<Handlers>() && mouseDown.GoesTo<Handlers>();
  }

  // The row of the control named `name` or with id `id`; nullptr if none.
  constexpr const ControlRow* Control(std::string_view name) const {
    for (const ControlRow& row : controls)
      if (name == row.name) return &row;
    return nullptr;
  }
  constexpr const ControlRow* ControlWithId(int id) const {
    for (const ControlRow& row : controls)
      if (row.id == id) return &row;
    return nullptr;
  }

 private:
  // Never defined: only a look-up that fails reaches them, and then the
  // compiler names them in its error.
  [[noreturn]] static void NoControlOfThatName();
  [[noreturn]] static void NoTimerOfThatName();
};

}  // namespace tallow
