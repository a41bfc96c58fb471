// Clock drift over a simulated day: the idle clock's reading against the
// time elapsed since Start, with every timer event delivered 0 to 16 ms late
// and a report's two pauses at every full minute.
#include <cmath>
#include <cstdio>
#include <random>
#include <string>

#include "runtime/text_number.h"
#include "tests/stubs/idler_sim.h"

using namespace tallow;

namespace {
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
  // Read half a tick after each hour: the clock should show every whole
  // second that has elapsed, no more and no less.
  double worst = 0;
  for (double t = 3600; t <= hours * 3600; t += 3600) {
    s.desk.RunUntil(started + t + 0.5);
    const double drift = std::floor(s.desk.Now() - started) - ClockSeconds(s);
    if (std::fabs(drift) > std::fabs(worst)) worst = drift;
  }
  const double elapsed = s.desk.Now() - started;
  std::printf("clock drift, simulated %.0f h, timer events 0-16 ms late, reports every minute: "
              "clock %.0f s for %.3f s elapsed; drift %.0f s (worst hourly reading %.0f s); %zu lines posted\n",
              hours, ClockSeconds(s), elapsed, std::floor(elapsed) - ClockSeconds(s), worst, s.desk.posted.size());
  return 0;
}
