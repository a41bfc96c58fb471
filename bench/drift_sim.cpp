// Clock drift over a simulated day: the idle clock's reading against the
// time elapsed since Start, with every timer event delivered 0 to 16 ms late
// and a report's two pauses at every full minute. For reference, in the same
// run: a counter whose next second starts when its last event was handled,
// as a clock that counts plain timer events would, equally late.
// Prints a row of the README's table.
#include <cmath>
#include <cstdio>
#include <functional>
#include <random>
#include <string>

#include "runtime/text_number.h"
#include "tests/stubs/idler_sim.h"

using namespace tallow;

namespace {
// 86401 -> "86,401", as the README writes figures.
std::string Grouped(double value) {
  const long long whole = std::llround(value);
  const std::string digits = std::to_string(whole < 0 ? -whole : whole);
  std::string grouped = whole < 0 ? "-" : "";
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
    grouped += digits[i];
  }
  return grouped;
}

double ClockSeconds(const sim::IdlerSim& s) {
  return TextToNumber(s.Label2.Text()) * 3600 + TextToNumber(s.Label3.Text()) * 60 + TextToNumber(s.Label4.Text());
}
}  // namespace

int main(int argc, char** argv) {
  const double hours = argc > 1 ? std::stod(argv[1]) : 24;
  sim::IdlerSim s;
  std::mt19937 random(2005);
  std::uniform_real_distribution<double> late(0, 0.016);
  s.desk.timerLateness = [&] { return late(random); };
  s.desk.postCost = 0.002;  // a post into a live room takes a couple of ms
  s.Load();
  s.Start(0);
  const double started = 0.7 + 2 * s.desk.postCost;  // the clock runs from the end of Start

  // Its own lateness draws, so the idle clock sees the same ones as without it.
  std::mt19937 counterRandom(2006);
  long counted = 0;
  std::function<void()> count = [&] {
    ++counted;
    s.desk.At(s.desk.Now() + 1 + late(counterRandom), count);
  };
  s.desk.At(started + 1 + late(counterRandom), count);
  // Read half a tick after each hour: the clock should show every whole
  // second that has elapsed, no more and no less.
  double worst = 0;
  for (double t = 3600; t <= hours * 3600; t += 3600) {
    s.desk.RunUntil(started + t + 0.5);
    const double drift = std::floor(s.desk.Now() - started) - ClockSeconds(s);
    if (std::fabs(drift) > std::fabs(worst)) worst = drift;
  }
  const double elapsed = s.desk.Now() - started;
  std::printf(
      "| idle clock drift, simulated %.0f h, timer events 0\u201316 ms late, a report every minute | %.0f s "
      "(clock %s s for %s s elapsed, worst hourly reading %.0f s, %s lines posted) | a counter "
      "re-armed 1 s after each event it handled, as late: %.0f s (%s counts) |\n",
      hours, std::floor(elapsed) - ClockSeconds(s), Grouped(ClockSeconds(s)).c_str(),
      Grouped(std::floor(elapsed)).c_str(), worst, Grouped(static_cast<double>(s.desk.posted.size())).c_str(),
      std::floor(elapsed) - static_cast<double>(counted), Grouped(static_cast<double>(counted)).c_str());
  return 0;
}
