#include "tool/presenters/run_report.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "util/escape.h"
#include "util/windows1252.h"

namespace tarvosa::tool {
namespace {

using running::ProfilePoint;
using running::RunResult;
using running::StationTime;

// Seconds as h:mm:ss, to the nearest second; a minus before a negative.
std::string Clock(double seconds) {
  const long whole = std::lround(std::abs(seconds));
  char text[32];
  std::snprintf(text, sizeof text, "%s%ld:%02ld:%02ld", seconds < -0.5 ? "-" : "", whole / 3600,
                whole / 60 % 60, whole % 60);
  return text;
}

std::string Fixed(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

Json Optional(const std::optional<double>& value) {
  return value ? Json(*value) : Json(nullptr);
}

Json StationJson(const StationTime& s) {
  return {{"name", Windows1252ToUtf8(s.name)},
          {"km", s.position / 1000.0},
          {"m", s.metres},
          {"stop", s.stops},
          {"arrival_s", s.arrival_s},
          {"departure_s", s.departure_s},
          {"scheduled_s", Optional(s.scheduled_s)},
          {"margin_s", Optional(s.margin_s)},
          {"section_running_s", s.stops ? Json(s.section_running_s) : Json(nullptr)},
          {"section_margin_s", s.stops ? Json(s.section_margin_s) : Json(nullptr)},
          {"kept", s.kept}};
}

// The timed stations; after the first, each with its section from the one
// before.
Table StationTable(const RunResult& run) {
  Table table{{{"km"},
               {"station", true},
               {"arrival"},
               {"departure"},
               {"scheduled"},
               {"margin s"},
               {"section s"},
               {"spare s"},
               {"spare %"},
               {"", true}},
              {},
              true};
  bool first = true;
  for (const StationTime& s : run.stations) {
    if (!s.stops) continue;
    const bool section = !first;
    first = false;
    const double pct = s.section_running_s > 0 ? 100 * s.section_margin_s / s.section_running_s : 0;
    table.rows.push_back(
        {Value(s.position / 1000.0, Fixed(s.position / 1000.0, 3)),
         Value(Windows1252ToUtf8(s.name)), Value(s.arrival_s, Clock(s.arrival_s)),
         Value(s.departure_s, Clock(s.departure_s)), Value(*s.scheduled_s, Clock(*s.scheduled_s)),
         Value(*s.margin_s, Fixed(*s.margin_s, 0)),
         Value(s.section_running_s, section ? Fixed(s.section_running_s, 0) : ""),
         Value(s.section_margin_s, section ? Fixed(s.section_margin_s, 0) : ""),
         Value(pct, section ? Fixed(pct, 1) : ""), Value(s.kept ? "" : "cannot be kept")});
  }
  return table;
}

std::size_t Unkept(const RunResult& run) {
  std::size_t count = 0;
  for (const StationTime& s : run.stations) count += s.kept ? 0 : 1;
  return count;
}

std::size_t Sections(const RunResult& run) {
  std::size_t count = 0;
  for (const StationTime& s : run.stations) count += s.stops ? 1 : 0;
  return count - 1;
}

void PrintText(const RunResult& run, const RunSettings& settings, std::ostream& out) {
  out << EscapeTerminal(settings.train) << ": " << Fixed(settings.mass / 1000, 0) << " t, "
      << Fixed(settings.length, 1) << " m; dwell " << Fixed(settings.dwell_s, 0) << " s, allowance "
      << Fixed(settings.allowance_pct, 1) << " %\n";
  Print(StationTable(run), "text", out);
  const StationTime& last = run.stations.back();
  out << "total " << Clock(run.total_time_s) << " (" << Fixed(run.total_time_s, 0)
      << " s), scheduled " << Clock(*last.scheduled_s) << ", margin " << Fixed(*last.margin_s, 0)
      << " s; " << Unkept(run) << " of " << Sections(run) << " sections cannot be kept\n";
}

Table ProfileTable(const RunResult& run) {
  Table table{{{"m"}, {"speed_kmh"}, {"time_s"}}, {}, false};
  for (const ProfilePoint& p : run.profile) {
    table.rows.push_back({Value(p.metres, Fixed(p.metres, 2)),
                          Value(p.speed_kmh, Fixed(p.speed_kmh, 3)),
                          Value(p.time_s, Fixed(p.time_s, 3))});
  }
  return table;
}

// A number as JSON writes it, in the fewest digits that read back the same.
void Number(double value, std::string& out) {
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, value).ptr;
  out.append(text, end);
  if (std::string_view(text, static_cast<std::size_t>(end - text)).find_first_of(".en") ==
      std::string_view::npos) {
    out += ".0";
  }
}

// The profile's points written directly: they are only numbers, and a
// long line has tens of thousands of them.
std::string ProfileJson(const RunResult& run) {
  std::string out = " \"profile\": [";
  const char* comma = "\n";
  for (const ProfilePoint& p : run.profile) {
    out += comma;
    out += "  {\"m\": ";
    Number(p.metres, out);
    out += ", \"speed_kmh\": ";
    Number(p.speed_kmh, out);
    out += ", \"time_s\": ";
    Number(p.time_s, out);
    out += "}";
    comma = ",\n";
  }
  return out + "\n ]\n}\n";
}

}  // namespace

Json RunJson(const RunResult& run, const RunSettings& settings) {
  Json stations = Json::array();
  for (const StationTime& s : run.stations) stations.push_back(StationJson(s));
  Json profile = Json::array();
  for (const ProfilePoint& p : run.profile) {
    profile.push_back({{"m", p.metres}, {"speed_kmh", p.speed_kmh}, {"time_s", p.time_s}});
  }
  return {{"train",
           {{"name", settings.train}, {"mass_kg", settings.mass}, {"length_m", settings.length}}},
          {"dwell_s", settings.dwell_s},
          {"allowance_pct", settings.allowance_pct},
          {"total_time_s", run.total_time_s},
          {"all_kept", run.AllKept()},
          {"stops", std::move(stations)},
          {"profile", std::move(profile)}};
}

void PrintRun(const RunResult& run, const RunSettings& settings, const std::string& format,
              std::ostream& out) {
  if (format == "json") {
    RunResult head{.total_time_s = run.total_time_s, .stations = run.stations, .profile = {}};
    Json json = RunJson(head, settings);
    json.erase("profile");
    std::string text = json.dump(1, ' ', false, Json::error_handler_t::replace);
    text.back() = ',';  // the closing brace, after which the profile goes
    out << EscapeTerminalLines(text) << "\n" << ProfileJson(run);
  } else if (format == "csv") {
    Print(ProfileTable(run), "csv", out);
  } else {
    PrintText(run, settings, out);
  }
}

}  // namespace tarvosa::tool
