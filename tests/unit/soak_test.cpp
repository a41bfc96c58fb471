// A seeded storm over the main window: random presses of every button,
// awkward texts typed into the reason box, the secondary windows closed, and
// both timers ticking through it all in simulated time, with message boxes
// held open and pauses nested inside pauses. After Exit a fresh window
// carries on until the storm has run its events.
//
// After every event that returns to the outermost loop, the window sits in
// one row of the idle table and its clock reads as whole numbers. As each
// line goes out, it is a catalogue line or a template filled from what the
// window shows at that moment.
//
//   TALLOW_SOAK_SEED=n     replays a run (the seed is printed)
//   TALLOW_SOAK_EVENTS=n   how many events to run, 1000000 unless set

#include <gtest/gtest.h>
#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <memory>
#include <new>
#include <random>
#include <string>
#include <vector>

#include "bridge/ansi_text.h"
#include "idler/catalogue.h"
#include "tests/stubs/idler_sim.h"
#include "tools/practice-room/transcript_escape.h"

#if defined(__SANITIZE_ADDRESS__)
#define TALLOW_SOAK_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TALLOW_SOAK_ASAN 1
#endif
#endif

// The live heap, so that growth per event shows.
#ifdef TALLOW_SOAK_ASAN
// AddressSanitizer's allocator keeps the count; replacing operator new here
// would hide mismatched new and delete from it.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
namespace {
long long LiveHeapBytes() { return static_cast<long long>(__sanitizer_get_current_allocated_bytes()); }
long long LiveHeapBlocks() { return -1; }  // not counted
}  // namespace
#else
namespace {
std::atomic<long long> gLiveBytes{0};
std::atomic<long long> gLiveBlocks{0};

void* Allocate(std::size_t size) {
  void* p = std::malloc(size ? size : 1);
  if (!p) throw std::bad_alloc();
  gLiveBytes.fetch_add(static_cast<long long>(malloc_usable_size(p)), std::memory_order_relaxed);
  gLiveBlocks.fetch_add(1, std::memory_order_relaxed);
  return p;
}

void Release(void* p) noexcept {
  if (!p) return;
  gLiveBytes.fetch_sub(static_cast<long long>(malloc_usable_size(p)), std::memory_order_relaxed);
  gLiveBlocks.fetch_sub(1, std::memory_order_relaxed);
  std::free(p);
}

long long LiveHeapBytes() { return gLiveBytes.load(std::memory_order_relaxed); }
long long LiveHeapBlocks() { return gLiveBlocks.load(std::memory_order_relaxed); }
}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void* p) noexcept { Release(p); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete(void* p, std::size_t) noexcept { Release(p); }
void operator delete[](void* p, std::size_t) noexcept { Release(p); }
#endif

namespace tallow {
namespace {

using sim::IdlerSim;

constexpr std::uint64_t kDefaultSeed = 20050511;
constexpr long kDefaultEvents = 1000000;
// Live heap may differ by this much between two empty desktops.
constexpr long long kHeapSlackBytes = 4096;

std::uint64_t FromEnvironment(const char* name, std::uint64_t fallback) {
  const char* text = std::getenv(name);
  if (!text || !*text) return fallback;
  char* end = nullptr;
  const unsigned long long value = std::strtoull(text, &end, 0);
  return (end && *end == '\0') ? value : fallback;
}

// mt19937_64's output is fixed by the standard, and nothing here goes through
// the library's distributions, so a seed replays the same storm anywhere.
class Dice {
 public:
  explicit Dice(std::uint64_t seed) : engine_(seed) {}
  std::uint64_t Below(std::uint64_t n) { return engine_() % n; }
  double Uniform(double lo, double hi) { return lo + (hi - lo) * static_cast<double>(engine_() >> 11) * 0x1.0p-53; }
  bool Chance(double p) { return Uniform(0, 1) < p; }
  template <typename T>
  const T& Pick(const std::vector<T>& from) {
    return from[Below(from.size())];
  }

 private:
  std::mt19937_64 engine_;
};

std::wstring Units(std::initializer_list<std::uint32_t> codes) {
  std::wstring text;
  for (std::uint32_t code : codes) text.push_back(static_cast<wchar_t>(code));
  return text;
}

const std::vector<std::wstring> kKeywords = {L"Info", L"Juniper", L"MoRdAnT", L"Screennames"};
// How readily a user presses Exit, against the other kinds' weights below.
const std::vector<double> kExitWeights = {0.05, 0.3, 1.5};
// How long a message box stays open; the long ones see many ticks beneath.
const std::vector<double> kHoldSeconds = {0, 0, 0, 0.05, 0.3, 0.7, 1.5, 4, 12};

// Texts a user or a paste could put into the box.
std::vector<std::wstring> AwkwardTexts() {
  return {// The keywords in the wrong case, padded, or run on.
          L"info", L"INFO", L"juniper", L"JUNIPER", L"mordant", L"MORDANT", L"Mordant", L"screennames", L"ScreenNames",
          L" Info", L"Info ", L"Info\r\n", L"Information", L"Screennames.....", L"MoRdAnTMoRdAnT", L"", L" ",
          L"Reason Idle.........", L"00", L"60", L"-1",
          // Markup goes out as typed.
          L"lunch <b>break</b>", L"</u></font><font color=#ff0000>", L"&amp; &lt;", L"\uFF1Cb\uFF1E",
          // Chinese, emoji, and the surrogate units a Windows edit box may hold.
          L"\u5348\u996D\u65F6\u95F4", L"\u6211\u53BB\u5403\u996D\u4E86\uFF01", L"\U0001F600 brb \U0001F355",
          Units({0xD83D, 0xDE00}), Units({0xD800}), Units({0xDC00, 0xD800}), Units({'a', 0xDBFF}),
          // Right-to-left scripts and direction controls.
          L"\u05D1\u05E8\u05D5\u05DA \u05D4\u05D1\u05D0", L"\u0645\u0631\u062D\u0628\u0627", L"\u202Eevil\u202C",
          L"\u200F\u200E\u2066\u2069",
          // Control characters, a NUL inside, C1 controls.
          L"\t", L"\r\n", L"a\rb\nc", Units({'n', 0, 'u', 0, 'l'}), Units({1, 2, 0x1B, 0x1F, 0x7F}),
          Units({0x80, 0x81, 0x8D, 0x9F}),
          // Windows-1252's own letters and signs, and the ends of Unicode.
          L"\u20AC\u201A\u0192\u2122\u0178", L"\u00A0\u00B7\u00BF\u00CE\u00FF", Units({0xFFFD, 0xFFFE, 0xFFFF}),
          Units({0x10FFFF, 0x110000}),
          // Long.
          std::wstring(5000, L'x'), std::wstring(300, L'\u00B7') + L"Info"};
}

// Code points to draw random texts from: [first, last] ranges.
const std::vector<std::pair<std::uint32_t, std::uint32_t>> kRanges = {
    {0x20, 0x7E},     {0x20, 0x7E},     {0x20, 0x7E},     {0x00, 0x1F},       {0x7F, 0x9F},
    {0xA0, 0xFF},     {0x152, 0x192},   {0x2013, 0x203A}, {0x20AC, 0x20AC},   {0x2122, 0x2122},
    {0x370, 0x4FF},   {0x590, 0x6FF},   {0x200E, 0x200F}, {0x202A, 0x202E},   {0x2066, 0x2069},
    {0x4E00, 0x9FFF}, {0xD800, 0xDFFF}, {0xE000, 0xFFFF}, {0x1F300, 0x1FAFF}, {0x10000, 0x10FFFF},
};

std::wstring RandomText(Dice& dice) {
  const double roll = dice.Uniform(0, 1);
  const std::size_t length = roll < 0.7 ? dice.Below(13) : roll < 0.97 ? 13 + dice.Below(68) : 200 + dice.Below(2800);
  std::wstring text;
  text.reserve(length);
  for (std::size_t i = 0; i < length; ++i) {
    const auto& range = dice.Pick(kRanges);
    text.push_back(static_cast<wchar_t>(range.first + dice.Below(range.second - range.first + 1)));
  }
  return text;
}

// "00" as reset, otherwise a whole number as the runtime writes it. Counting
// up from "00" never writes "0".
bool ClockPieceReads(const std::wstring& text) {
  if (text == L"00") return true;
  if (text.empty() || text.size() > 15 || text[0] < L'1' || text[0] > L'9') return false;
  return std::all_of(text.begin(), text.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
}

long PieceValue(const std::wstring& text) { return text == L"00" ? 0 : std::wcstol(text.c_str(), nullptr, 10); }

std::string Narrow(const std::wstring& text) {
  std::string out;
  for (wchar_t c : text) out += (c >= 0x20 && c < 0x7F) ? static_cast<char>(c) : '?';
  return out;
}

struct Figures {
  long events = 0;             // user events run plus timer ticks handled
  long userEvents = 0;         // scripted presses, typing and window closes that ran
  long inputsReached = 0;      // presses and typing that reached the window
  long userEventsDropped = 0;  // scripted, but the application ended first
  long timer1Ticks = 0, timer2Ticks = 0, topLevelChecks = 0;
  long windows = 0;  // main windows loaded, one per run of the application
  long exits = 0;    // runs that ended through Exit and the last window closing
  int maxDepth = 0;
  double simulatedSeconds = 0;
  // The lines posted, by kind, and the message boxes shown.
  long linesPosted = 0, constantLines = 0, reasonLines = 0, idleForLines = 0, idleForAfterAnHour = 0, totalLines = 0;
  long boxesShown = 0;
  // The live heap between windows, from a tenth of the run on.
  long long heapAtTenth = -1, heapAtEnd = -1, blocksAtTenth = -1, blocksAtEnd = -1, heapPeak = 0;
};

class Storm {
 public:
  Storm(std::uint64_t seed, long target) : seed_(seed), target_(target), dice_(seed), awkward_(AwkwardTexts()) {
    for (const std::wstring* line :
         {&LineLoaded, &LineUnloaded, &LineStarted, &LineStopped, &LineBanner, &LineCredit, &LineTeam})
      constants_.push_back(ToWindows1252(*line));
  }

  void Run() {
    while (failures_.empty() && Events() < target_) {
      StartWindow();
      while (failures_.empty() && !s_->desk.QuitRequested() && Events() < target_) ScriptAndRunBatch();
      EndWindow();
      const long long live = LiveHeapBytes();
      if (f_.heapAtTenth < 0 && f_.events >= target_ / 10) {
        f_.heapAtTenth = live;
        f_.blocksAtTenth = LiveHeapBlocks();
      }
      f_.heapAtEnd = live;
      f_.blocksAtEnd = LiveHeapBlocks();
    }
  }

  const Figures& figures() const { return f_; }
  const std::vector<std::string>& failures() const { return failures_; }

 private:
  enum Kind { kStart, kStop, kAdv, kExit, kAbout, kSite, kMinimize, kType, kCloseAbout, kCloseDedication, kKinds };

  long Events() const {
    if (!s_) return f_.events;
    return f_.events + s_->desk.eventsRun +
           static_cast<long>(s_->Timer1.TicksDelivered() + s_->Timer2.TicksDelivered());
  }

  void StartWindow() {
    s_ = std::make_unique<IdlerSim>();
    IdlerSim& s = *s_;
    ++f_.windows;
    dead_ = false;
    postsSinceCheck_ = 0;
    // How this user leaves, and how this machine behaves.
    exitWeight_ = dice_.Pick(kExitWeights);
    s.desk.clientRunning = !dice_.Chance(0.05);
    s.desk.postCost = dice_.Chance(0.2) ? dice_.Uniform(0, 0.2) : 0;
    if (dice_.Chance(0.2)) s.desk.timerLateness = [this] { return dice_.Chance(0.3) ? dice_.Uniform(0, 0.4) : 0; };
    s.desk.onPost = [this](const std::string& bytes) { CheckLine(bytes); };
    s.desk.afterTopLevelEvent = [this] { CheckAtRest(); };
    s.form1.onDestroyed = [this] { RememberDeadWindow(); };
    s.Load();
  }

  void EndWindow() {
    IdlerSim& s = *s_;
    if (s.desk.QuitRequested()) ++f_.exits;
    f_.userEvents += s.desk.eventsRun;
    f_.userEventsDropped += scripted_ - s.desk.eventsRun;
    f_.inputsReached += s.inputsDelivered;
    f_.timer1Ticks += static_cast<long>(s.Timer1.TicksDelivered());
    f_.timer2Ticks += static_cast<long>(s.Timer2.TicksDelivered());
    f_.events = Events();
    f_.maxDepth = std::max(f_.maxDepth, s.desk.maxDepth);
    f_.simulatedSeconds += s.desk.Now();
    f_.boxesShown += static_cast<long>(s.boxes.shown.size());
    scripted_ = 0;
    deadControls_.clear();
    deadControls_.shrink_to_fit();
    s_.reset();
  }

  // Bursts of clicks nest pause inside pause; calm stretches let the clock
  // run on to its minute and, now and then, hour reports.
  enum Mood { kBusy, kBurst, kCalm };

  void ScriptAndRunBatch() {
    IdlerSim& s = *s_;
    s.boxes.holdSeconds = dice_.Pick(kHoldSeconds);
    const double roll = dice_.Uniform(0, 1);
    const Mood mood = roll < 0.1 ? kBurst : roll < 0.13 ? kCalm : kBusy;
    const long count =
        mood == kCalm ? 20 + static_cast<long>(dice_.Below(100)) : 1 + static_cast<long>(dice_.Below(48));
    double t = s.desk.Now();
    for (long i = 0; i < count; ++i) {
      t += Gap(mood);
      Script(t, PickKind(mood));
    }
    s.desk.RunUntil(t);
  }

  double Gap(Mood mood) {
    const double roll = dice_.Uniform(0, 1);
    switch (mood) {
      case kBurst: return dice_.Uniform(0, 0.03);
      case kCalm:
        if (roll < 0.0004) return dice_.Uniform(3600, 3700);
        return roll < 0.9 ? dice_.Uniform(0.2, 3) : dice_.Uniform(3, 10);
      case kBusy: break;
    }
    if (roll < 0.5) return dice_.Uniform(0, 0.1);
    if (roll < 0.85) return dice_.Uniform(0.1, 0.7);
    if (roll < 0.98) return dice_.Uniform(0.7, 2);
    return dice_.Uniform(2, 8);
  }

  Kind PickKind(Mood mood) {
    // Start, Stop, Adv., Exit, About, Site, Minimize, typing, closing About, closing the dedication.
    const double busy[kKinds] = {12, 12, 8, exitWeight_, 3, 2, 3, 30, 3, 3};
    const double burst[kKinds] = {10, 10, 20, exitWeight_, 1, 1, 1, 10, 1, 1};
    const double calm[kKinds] = {6, 0.2, 5, 0, 1, 1, 2, 8, 2, 2};
    const double* weights = mood == kBusy ? busy : mood == kBurst ? burst : calm;
    double sum = 0;
    for (int k = 0; k < kKinds; ++k) sum += weights[k];
    double roll = dice_.Uniform(0, sum);
    for (int k = 0; k < kKinds; ++k) {
      if (roll < weights[k]) return static_cast<Kind>(k);
      roll -= weights[k];
    }
    return kType;
  }

  void Script(double t, Kind kind) {
    IdlerSim& s = *s_;
    ++scripted_;
    // The buttons in the order of Kind.
    constexpr const char* kButtons[] = {"Command1", "Command2", "Command3", "Command4",
                                        "Command5", "Command6", "Command7"};
    if (kind < kType) s.Press(t, kButtons[kind]);
    if (kind == kType) s.Type(t, TextToType());
    if (kind == kCloseAbout) s.desk.At(t, [&s] { s.form2.Close(); });
    if (kind == kCloseDedication) s.desk.At(t, [&s] { s.form3.Close(); });
  }

  std::wstring TextToType() {
    const double roll = dice_.Uniform(0, 1);
    if (roll < 0.3) return dice_.Pick(kKeywords);
    if (roll < 0.6) return dice_.Pick(awkward_);
    return RandomText(dice_);
  }

  // As each line goes out.
  void CheckLine(const std::string& bytes) {
    IdlerSim& s = *s_;
    ++postsSinceCheck_;
    ++f_.linesPosted;
    if (!s.form1.Loaded())
      return Fail("a line went out after the main window was unloaded", practice::escape_line(bytes));
    if (std::find(constants_.begin(), constants_.end(), bytes) != constants_.end()) {
      ++f_.constantLines;
      return;
    }
    if (bytes == ToWindows1252(LineReason(s.Text1.Text()))) {
      ++f_.reasonLines;
      return;
    }
    const std::wstring hours = s.Label2.Text(), minutes = s.Label3.Text();
    if (bytes == ToWindows1252(LineIdleFor(hours, minutes))) {
      ++f_.idleForLines;
      if (hours != L"00") ++f_.idleForAfterAnHour;
      return;
    }
    if (bytes == ToWindows1252(LineTotal(hours, minutes))) {
      ++f_.totalLines;
      return;
    }
    Fail("a line that is no catalogue line and no template filled from the window", practice::escape_line(bytes));
  }

  // What the window showed as it went: nothing may touch it afterwards.
  void RememberDeadWindow() {
    const IdlerSim& s = *s_;
    dead_ = true;
    deadControls_ = Snapshot();
    deadBoxes_ = s.boxes.shown.size();
    deadDedicationLoads_ = s.form3.loads;
  }

  std::vector<std::wstring> Snapshot() const {
    const IdlerSim& s = *s_;
    std::vector<std::wstring> shot;
    for (const sim::SimControl* c : {&s.Text1, &s.Label2, &s.Label3, &s.Label4, &s.Command1, &s.Command2})
      shot.push_back(c->Shown() + (c->ShownEnabled() ? L"|on|" : L"|off|") + std::to_wstring(c->writes));
    return shot;
  }

  // Each time a queued event or a tick returns to the outermost loop.
  void CheckAtRest() {
    IdlerSim& s = *s_;
    ++f_.topLevelChecks;
    for (const sim::SimControl* label : {&s.Label2, &s.Label3, &s.Label4})
      if (!ClockPieceReads(label->Shown())) return Fail("a clock label that is not a whole number", Narrow(s.Clock()));
    if (s.form1.Loaded()) {
      if (!s.Idling() && !s.NotIdling()) return Fail("the controls are in neither row of the idle table");
      if (s.NotIdling() && s.Clock() != L"00:00:00") return Fail("the clock runs while not idling", Narrow(s.Clock()));
      if (PieceValue(s.Label3.Text()) > 59 || PieceValue(s.Label4.Text()) > 59)
        return Fail("the clock rests on sixty", Narrow(s.Clock()));
      if (!s.Timer2.Enabled()) return Fail("the keyword watcher stopped on a loaded window");
    } else {
      // After Exit the main window is gone, yet the About or dedication
      // window may keep the application going. The unload stopped both
      // timers and left the buttons and the box as they were, in either row
      // of the table: the Start row, or the Stop row with the timer off.
      const bool startRow = s.Command1.ShownEnabled() && s.Text1.ShownEnabled() && !s.Command2.ShownEnabled();
      const bool stopRow = !s.Command1.ShownEnabled() && !s.Text1.ShownEnabled() && s.Command2.ShownEnabled();
      if (s.Timer1.Enabled() || s.Timer2.Enabled()) return Fail("a timer runs on the unloaded main window");
      if (!startRow && !stopRow) return Fail("the unloaded window's controls are in neither row of the table");
      if (!dead_) return Fail("the main window went without being unloaded");
      if (Snapshot() != deadControls_) {
        std::string detail;
        const auto now = Snapshot();
        for (std::size_t i = 0; i < now.size(); ++i)
          if (now[i] != deadControls_[i]) detail += Narrow(deadControls_[i]) + " -> " + Narrow(now[i]) + "; ";
        return Fail("a control of the unloaded main window changed", detail);
      }
      if (s.boxes.shown.size() != deadBoxes_) return Fail("a message box opened for the unloaded main window");
      if (s.form3.loads != deadDedicationLoads_)
        return Fail("the dedication opened after the main window was unloaded");
    }
    if (s.form1.loads != 1) return Fail("the main window was loaded again behind the user's back");
    const bool anyLoaded = s.form1.Loaded() || s.form2.Loaded() || s.form3.Loaded();
    if (s.desk.QuitRequested() == anyLoaded) return Fail("the application's end and its windows disagree");
    if (s.desk.clientRunning && s.desk.posted.size() != postsSinceCheck_)
      return Fail("the chat room's record and the lines checked disagree");
    // Keep the recorders from growing with the run; only new entries matter.
    postsSinceCheck_ = 0;
    s.desk.posted.clear();
    s.ticks.clear();
    s.desk.topmostCalls.clear();
    s.desk.moveCalls.clear();
    if (!dead_) {
      f_.boxesShown += static_cast<long>(s.boxes.shown.size());
      s.boxes.shown.clear();
    }
    f_.heapPeak = std::max(f_.heapPeak, LiveHeapBytes());
  }

  void Fail(const char* what, const std::string& detail = "") {
    if (failures_.size() >= 5) return;
    const IdlerSim& s = *s_;
    const char* row = s.Idling() ? "idling" : s.NotIdling() ? "not idling" : "neither row";
    char where[256];
    std::snprintf(where, sizeof where, " (seed %llu, window %ld, about event %ld, t=%.6f, depth %d, clock %s, %s)",
                  static_cast<unsigned long long>(seed_), f_.windows, Events(), s.desk.Now(), s.desk.maxDepth,
                  Narrow(s.Clock()).c_str(), row);
    failures_.push_back(std::string(what) + where + (detail.empty() ? "" : ": " + detail.substr(0, 300)));
  }

  const std::uint64_t seed_;
  const long target_;
  Dice dice_;
  const std::vector<std::wstring> awkward_;
  std::vector<std::string> constants_;
  std::unique_ptr<IdlerSim> s_;
  Figures f_;
  double exitWeight_ = 0;
  long scripted_ = 0;
  std::size_t postsSinceCheck_ = 0;
  bool dead_ = false;
  std::vector<std::wstring> deadControls_;
  std::size_t deadBoxes_ = 0;
  int deadDedicationLoads_ = 0;
  std::vector<std::string> failures_;
};

TEST(Soak, RandomStormKeepsTheWindowTheClockAndTheLinesConsistent) {
  const std::uint64_t seed = FromEnvironment("TALLOW_SOAK_SEED", kDefaultSeed);
  const long target = static_cast<long>(FromEnvironment("TALLOW_SOAK_EVENTS", kDefaultEvents));
  std::printf("soak: seed %llu (TALLOW_SOAK_SEED replays it), %ld events\n", static_cast<unsigned long long>(seed),
              target);
  std::fflush(stdout);

  Storm storm(seed, target);
  const auto began = std::chrono::steady_clock::now();
  storm.Run();
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();

  const Figures& f = storm.figures();
  std::printf("soak: %ld events in %.2f s: %.0f events/s\n", f.events, seconds, f.events / seconds);
  std::printf(
      "soak:   %ld user events run, %ld of them presses or typing the window took (the others closed "
      "About or the dedication, or found the window gone, under a message box, or the control off); "
      "%ld more scripted but dropped when the application ended\n",
      f.userEvents, f.inputsReached, f.userEventsDropped);
  std::printf("soak:   %ld Timer1 ticks, %ld Timer2 ticks, over %.1f simulated hours\n", f.timer1Ticks, f.timer2Ticks,
              f.simulatedSeconds / 3600);
  std::printf("soak: %ld windows (%ld ended by Exit), %ld returns to the outermost loop checked, deepest nesting %d\n",
              f.windows, f.exits, f.topLevelChecks, f.maxDepth);
  std::printf(
      "soak: %ld lines posted: %ld fixed, %ld reasons, %ld minute reports (%ld past an hour), %ld totals; "
      "%ld message boxes\n",
      f.linesPosted, f.constantLines, f.reasonLines, f.idleForLines, f.idleForAfterAnHour, f.totalLines, f.boxesShown);
  std::printf(
      "soak: live heap between windows: %lld bytes at a tenth of the run, %lld bytes at the end "
      "(%+lld); peak %lld bytes\n",
      f.heapAtTenth, f.heapAtEnd, f.heapAtEnd - f.heapAtTenth, f.heapPeak);
  if (f.blocksAtEnd >= 0)
    std::printf("soak: live blocks between windows: %lld at a tenth of the run, %lld at the end\n", f.blocksAtTenth,
                f.blocksAtEnd);

  for (const std::string& failure : storm.failures()) ADD_FAILURE() << failure;
  ASSERT_TRUE(storm.failures().empty());
  EXPECT_GE(f.events, target);
  ASSERT_GE(f.heapAtTenth, 0);
  EXPECT_LE(f.heapAtEnd - f.heapAtTenth, kHeapSlackBytes) << "live heap grew over the run";
  EXPECT_LE(f.blocksAtEnd - f.blocksAtTenth, 0) << "blocks left behind by the windows";
}

}  // namespace
}  // namespace tallow
