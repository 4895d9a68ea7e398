// Timetable times: times of day, increasing along the line, and no faster
// between two timed stations than the line allows.
#include <cstdio>

#include "compiler/internal/railway_records.h"
#include "compiler/messages.h"

namespace tarvosa::railway {
namespace {

constexpr std::size_t kHours = 13;  // the station's values: hours, minutes, seconds, name
constexpr std::size_t kName = 16;

struct TimedStation {
  const SourceRecord* record;
  std::int64_t position;
  std::int64_t seconds;  // since midnight
};

std::string Clock(std::int64_t seconds) {
  char text[40];
  std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
                static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
  return text;
}

std::string NameOf(const SourceRecord& station) {
  return Quoted(station.values[kName].text);
}

// Hours 0 to 23, minutes and seconds 0 to 59, each at its field.
void CheckTimeOfDay(const SourceRecord& record, std::size_t first, Diagnostics& d) {
  static constexpr const char* kUnits[] = {"hour", "minute", "second"};
  static constexpr std::int64_t kHighest[] = {23, 59, 59};
  for (std::size_t i = 0; i < 3; ++i) {
    const std::int64_t value = Number(record, first + i);
    if (value >= 0 && value <= kHighest[i]) continue;
    d.Warn(At(record, first + i), [&] {
      return "the " + std::string(kUnits[i]) + " " + std::to_string(value) +
             " is out of range: a time of day has " + kUnits[i] + "s 0 to " +
             std::to_string(kHighest[i]);
    });
  }
}

// Each timed station after the one before it, and reached at no more than
// the line speed on average.
void CheckStep(const TimedStation& before, const TimedStation& after, const SpeedProfile& speeds,
               Diagnostics& d) {
  const SourceLocation at = At(*after.record, kHours);
  if (after.seconds <= before.seconds) {
    d.Warn(at, [&] {
      return "the time " + Clock(after.seconds) + " at " + NameOf(*after.record) +
             " is not after " + Clock(before.seconds) + " at " + NameOf(*before.record) +
             ", the timed station before it: times must increase along the line";
    });
    return;
  }
  const std::int64_t metres = after.position - before.position;
  const std::int64_t seconds = after.seconds - before.seconds;
  if (metres <= 0 || speeds.empty()) return;
  const std::int64_t highest = speeds.HighestBetween(before.position, after.position);
  // km/h = 3.6 × m/s, compared in whole numbers.
  if (metres * 36 <= highest * seconds * 10) return;
  d.Warn(at, [&] {
    return "from " + NameOf(*before.record) + " to " + NameOf(*after.record) + ", " +
           Metres(metres) + " in " + std::to_string(seconds) + " s is an average of " +
           std::to_string(metres * 36 / (seconds * 10)) +
           " km/h, above the highest line speed between them, " + std::to_string(highest) + " km/h";
  });
}

}  // namespace

void CheckTimetable(const RailwayRecords& records, const SpeedProfile& speeds, Diagnostics& d) {
  for (const SourceRecord* clock : records.clocks) {
    if (Holds(*clock, 3)) CheckTimeOfDay(*clock, 0, d);
  }
  bool have_before = false;
  TimedStation before{};
  for (const SourceRecord* station : records.stations) {
    if (!Holds(*station, kName + 1)) continue;
    const std::int64_t h = Number(*station, kHours), m = Number(*station, kHours + 1),
                       s = Number(*station, kHours + 2);
    if (h == 0 && m == 0 && s == 0) continue;  // no timetable time
    CheckTimeOfDay(*station, kHours, d);
    const TimedStation timed{station, Number(*station, 0), (h * 60 + m) * 60 + s};
    if (have_before) CheckStep(before, timed, speeds, d);
    before = timed, have_before = true;
  }
}

}  // namespace tarvosa::railway
