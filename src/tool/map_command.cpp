#include "tool/map_command.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <vector>

#include "compiler/compiled_files.h"
#include "tool/compile_command.h"
#include "util/files.h"
#include "util/windows1252.h"

namespace tarvosa::tool {
namespace fs = std::filesystem;
namespace {

constexpr double kMargin = 60;
constexpr double kPlanHeight = 460;
constexpr double kBandHeight = 110;

struct Scenario {
  std::vector<TrackCell> cells;
  ScenarioHeader header;
  std::vector<double> x, y;  // the plan, row by row
};

std::string Escape(const std::string& text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", value);
  return text;
}

// Entries 1 to 79 that hold a station (the board texts above them hold only
// a name).
bool IsStation(const ScenarioEntry& e) {
  return !e.name.empty() && (e.kind != 0 || e.position != 0 || e.start != 0 || e.end != 0);
}

std::string Clock(std::int32_t seconds) {
  char text[16];
  std::snprintf(text, sizeof text, "%d:%02d:%02d", seconds / 3600, seconds / 60 % 60, seconds % 60);
  return text;
}

// The one file in `directory` whose name ends in `suffix` and not in `unless`.
std::optional<std::string> FindFile(const std::string& directory, const std::string& suffix,
                                    const std::string& unless, std::string& problem) {
  std::vector<std::string> found;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(directory, error)) {
    const std::string name = entry.path().filename().string();
    const auto ends = [&](const std::string& s) {
      return name.size() >= s.size() && name.compare(name.size() - s.size(), s.size(), s) == 0;
    };
    if (ends(suffix) && (unless.empty() || !ends(unless))) found.push_back(entry.path().string());
  }
  if (found.size() == 1) return found.front();
  problem =
      directory + ": " + (found.empty() ? "no" : "more than one") + " file ending in " + suffix;
  return std::nullopt;
}

// The three files read and decoded, or a message why not.
std::optional<Scenario> Load(const std::string& directory, std::string& problem) {
  const auto plan_file = FindFile(directory, "_linea.dat", "", problem);
  const auto table_file = plan_file ? FindFile(directory, ".sim", "", problem) : std::nullopt;
  const auto track_file =
      table_file ? FindFile(directory, ".dat", "_linea.dat", problem) : std::nullopt;
  if (!track_file) return std::nullopt;
  const auto plan = DecodeLineData(ReadWholeFile(*plan_file).value_or(""));
  const auto header = DecodeScenarioHeader(ReadWholeFile(*table_file).value_or(""));
  const auto cells = DecodeTrackCells(ReadWholeFile(*track_file).value_or(""));
  if (!plan || !header || !cells) {
    problem = directory + ": a compiled file cannot be read or does not have its layout";
    return std::nullopt;
  }
  Scenario s{*cells, *header, {}, {}};
  for (std::size_t row = 0; row < plan->first.size(); ++row) {
    if (plan->first[row].tag == 0) break;
    s.x.push_back(plan->first[row].value);
    s.y.push_back(plan->second[row].value);
  }
  if (s.x.size() < 2) {
    problem = directory + ": the plan file holds no plan";
    return std::nullopt;
  }
  return s;
}

// Draws the page; progressives run from 0 to `metres`.
class Page {
 public:
  Page(const Scenario& s, double width) : s_(s), width_(width) {
    metres_ = static_cast<double>(s.x.size());
  }

  std::string Svg() {
    const double height = kMargin * 2 + kPlanHeight + 4 * (kBandHeight + 30) + 160;
    out_ << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << Number(width_) << "\" height=\""
         << Number(height) << "\" font-family=\"sans-serif\" font-size=\"11\">\n"
         << "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
    Text(kMargin, 30,
         Escape(Windows1252ToUtf8(s_.header[kRouteEntry].name)) + " - " +
             Escape(Windows1252ToUtf8(s_.header[kTrainEntry].name)),
         "font-size=\"18\" font-weight=\"bold\"");
    Plan(kMargin + 10);
    double top = kMargin + kPlanHeight + 30;
    Elevation(top), top += kBandHeight + 30;
    Profile(top, "line speed (km/h)", 200, [](const TrackCell& c) { return c.speed_limit * 5.0; });
    top += kBandHeight + 30;
    Profile(top, "adhesion", 255,
            [](const TrackCell& c) { return static_cast<double>(c.adhesion); });
    top += kBandHeight + 30;
    Features(top);
    out_ << "</svg>\n";
    return out_.str();
  }

 private:
  double X(double metre) const { return kMargin + metre / metres_ * (width_ - 2 * kMargin); }

  void Text(double x, double y, const std::string& text, const std::string& style = "") {
    out_ << "<text x=\"" << Number(x) << "\" y=\"" << Number(y) << "\" " << style << ">" << text
         << "</text>\n";
  }
  void Line(double x1, double y1, double x2, double y2, const std::string& style) {
    out_ << "<line x1=\"" << Number(x1) << "\" y1=\"" << Number(y1) << "\" x2=\"" << Number(x2)
         << "\" y2=\"" << Number(y2) << "\" " << style << "/>\n";
  }

  // The plan, fitted into its panel, with tunnels, stations and a scale.
  void Plan(double top) {
    const double min_x = *std::min_element(s_.x.begin(), s_.x.end());
    const double max_x = *std::max_element(s_.x.begin(), s_.x.end());
    const double min_y = *std::min_element(s_.y.begin(), s_.y.end());
    const double max_y = *std::max_element(s_.y.begin(), s_.y.end());
    const double panel = std::min(width_ - 2 * kMargin, 1400.0);
    const double scale = std::min(panel / std::max(1.0, max_x - min_x),
                                  (kPlanHeight - 40) / std::max(1.0, max_y - min_y));
    const auto at = [&](std::size_t row) {
      return std::pair{kMargin + (s_.x[row] - min_x) * scale, top + (max_y - s_.y[row]) * scale};
    };
    const std::size_t step = std::max<std::size_t>(1, s_.x.size() / 5000);
    const auto path = [&](std::size_t from, std::size_t to, const std::string& style) {
      out_ << "<polyline fill=\"none\" " << style << " points=\"";
      for (std::size_t row = from; row < to; row += step) {
        const auto [px, py] = at(row);
        out_ << Number(px) << "," << Number(py) << " ";
      }
      out_ << "\"/>\n";
    };
    path(0, s_.x.size(), "stroke=\"black\" stroke-width=\"1.5\"");
    for (std::size_t c = 0; c < s_.cells.size();) {
      std::size_t end = c;
      while (end < s_.cells.size() && s_.cells[end].montagna_kind != 0) ++end;
      if (end > c)
        path(std::min(c * 50, s_.x.size()), std::min(end * 50, s_.x.size()),
             "stroke=\"#999\" stroke-width=\"5\" opacity=\"0.6\"");
      c = end + 1;
    }
    for (std::size_t e = 1; e < kFirstBoardSlot; ++e) {
      const ScenarioEntry& st = s_.header[e];
      const bool on_plan = st.position >= 0 && static_cast<std::size_t>(st.position) < s_.x.size();
      if (!IsStation(st) || !on_plan) continue;
      const auto [px, py] = at(static_cast<std::size_t>(st.position));
      out_ << "<circle cx=\"" << Number(px) << "\" cy=\"" << Number(py)
           << "\" r=\"3\" fill=\"#c00\"/>\n";
      Text(px + 5, py - 4, Escape(Windows1252ToUtf8(st.name)), "font-size=\"9\"");
    }
    // A scale bar of a round number of kilometres, about a quarter of the panel.
    const double kilometres = std::pow(10, std::floor(std::log10(panel / scale / 4000)));
    Line(kMargin, top + kPlanHeight - 20, kMargin + kilometres * 1000 * scale,
         top + kPlanHeight - 20, "stroke=\"black\" stroke-width=\"3\"");
    Text(kMargin, top + kPlanHeight - 5, Number(kilometres) + " km");
  }

  void Frame(double top, const std::string& title) {
    out_ << "<rect x=\"" << Number(kMargin) << "\" y=\"" << Number(top) << "\" width=\""
         << Number(width_ - 2 * kMargin) << "\" height=\"" << Number(kBandHeight)
         << "\" fill=\"none\" stroke=\"#ccc\"/>\n";
    Text(kMargin, top - 6, title, "font-weight=\"bold\"");
    for (double km = 0; km * 1000 <= metres_; km += metres_ > 400000 ? 50 : 10) {
      Line(X(km * 1000), top + kBandHeight, X(km * 1000), top + kBandHeight + 4, "stroke=\"#999\"");
      Text(X(km * 1000) - 8, top + kBandHeight + 15, std::to_string(static_cast<long>(km)),
           "font-size=\"9\"");
    }
  }

  void Polyline(double top, double lowest, double highest, const std::vector<double>& values) {
    out_ << "<polyline fill=\"none\" stroke=\"#06c\" points=\"";
    const double span = std::max(1e-9, highest - lowest);
    for (std::size_t c = 0; c < values.size(); ++c) {
      out_ << Number(X(c * 50.0)) << ","
           << Number(top + kBandHeight - (values[c] - lowest) / span * (kBandHeight - 10) - 5)
           << " ";
    }
    out_ << "\"/>\n";
  }

  // The elevation, from the gradient of every cell (per mille over 50 m).
  void Elevation(double top) {
    std::vector<double> height{0};
    for (std::size_t c = 1; c < s_.cells.size(); ++c) {
      height.push_back(height.back() + (static_cast<int>(s_.cells[c - 1].gradient) - 100) * 0.05);
    }
    const auto [low, high] = std::minmax_element(height.begin(), height.end());
    Frame(top, "elevation (m, from the gradients; " + Number(*low) + " to " + Number(*high) + ")");
    Polyline(top, *low, *high, height);
  }

  template <typename Value>
  void Profile(double top, const std::string& title, double highest, Value value) {
    Frame(top, title);
    std::vector<double> values;
    for (const TrackCell& c : s_.cells) values.push_back(value(c));
    Polyline(top, 0, highest, values);
  }

  // Signals, slow-downs, boards, braking points and stations, by kind.
  void Features(double top) {
    Frame(top,
          "features: signals (blue), slow-downs (red), speed boards (green), braking points "
          "(orange), stations with their times");
    for (std::size_t c = 0; c < s_.cells.size(); ++c) {
      const double x = X(c * 50.0);
      switch (s_.cells[c].kind) {
        case kSignal:
          Line(x, top + 5, x, top + 25, "stroke=\"#06c\"");
          break;
        case kSlowDownStart:
        case kSlowDownEnd:
        case kSlowDownWarning:
          Line(x, top + 30, x, top + 50, "stroke=\"#c00\" stroke-width=\"2\"");
          break;
        case kSpeedBoard:
          Line(x, top + 55, x, top + 70, "stroke=\"#090\"");
          break;
        case kBrakingPoint:
        case kBrakingPointWithoutValue:
          out_ << "<circle cx=\"" << Number(x) << "\" cy=\"" << Number(top + 78)
               << "\" r=\"2\" fill=\"#e80\"/>\n";
          break;
        default:
          break;
      }
    }
    for (std::size_t e = 1; e < kFirstBoardSlot; ++e) {
      const ScenarioEntry& st = s_.header[e];
      if (!IsStation(st)) continue;
      const double x = X(st.position);
      Line(x, top + 85, x, top + kBandHeight, "stroke=\"#444\"");
      std::string label = Escape(Windows1252ToUtf8(st.name));
      if (st.time != 0) label.append(" ").append(Clock(st.time));
      std::ostringstream style;
      style << "font-size=\"8\" transform=\"rotate(60 " << Number(x + 2) << " "
            << Number(top + kBandHeight + 22) << ")\"";
      Text(x + 2, top + kBandHeight + 22, label, style.str());
    }
  }

  const Scenario& s_;
  double width_;
  double metres_;
  std::ostringstream out_;
};

}  // namespace

int RunMap(const std::string& directory, const std::string& output) {
  std::string problem;
  const auto scenario = Load(directory, problem);
  if (!scenario) {
    std::fprintf(stderr, "%s\n", problem.c_str());
    return kDataError;
  }
  const double width = std::max(1200.0, static_cast<double>(scenario->x.size()) / 200.0);
  if (const Status s = ReplaceFileContent(output, Page(*scenario, width).Svg()); !s.ok()) {
    std::fprintf(stderr, "%s\n", s.message().c_str());
    return kFileSystem;
  }
  return kClean;
}

}  // namespace tarvosa::tool
