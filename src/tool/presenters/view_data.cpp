#include "tool/presenters/view_data.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <tuple>
#include <unordered_map>

#include "compiler/data_errors.h"
#include "compiler/stored_format.h"
#include "compiler/stored_views.h"
#include "tool/presenters/cell_description.h"
#include "tool/presenters/described_fields.h"
#include "tool/presenters/view_in_force.h"
#include "tool/presenters/view_records.h"
#include "util/text_position.h"
#include "util/windows1252.h"

namespace tarvosa::tool {
namespace {

constexpr std::size_t kShownWarnings = Diagnostics::kKeptWarnings;

double Km(std::int64_t metres) {
  return static_cast<double>(metres) / 1000.0;
}

std::string Utf8(std::string_view windows1252) {
  return Windows1252ToUtf8(windows1252);
}

class Builder {
 public:
  Builder(const CompiledScenario& s, const Diagnostics* d, const ViewSources* sources)
      : s_(s), d_(d), sources_(sources) {
    length_ = s.header[kNumbersEntry].end;
    last_ = std::min<std::int64_t>(LastCell(s.cells), std::max<std::int64_t>(1, length_ / 50 + 1));
    FindPlaces();
    FindCellsByRecord();
  }

  Json Build() {
    Json data;
    data["title"] = Utf8(s_.header[kRouteEntry].name) + " - " + Utf8(s_.header[kTrainEntry].name);
    data["length"] = Km(length_);
    data["cells"] = Profiles();
    data["features"] = Features();
    data["stations"] = Stations();
    data["boards"] = Boards();
    data["slowdowns"] = SlowDowns();
    data["tunnels"] = Tunnels();
    data["messages"] = Messages();
    if (sources_) data["inForce"] = RecordsInForce(*sources_, last_);
    return data;
  }

 private:
  // The plan's row `m`, where there is one.
  std::optional<std::pair<double, double>> Row(std::int64_t m) const {
    if (!s_.plan || m < 0 || m >= s_.plan->next_row()) return std::nullopt;
    if (m < 2) return std::pair{0.0, static_cast<double>(m)};
    const auto i = static_cast<std::size_t>(m - 2);
    return std::pair{s_.plan->x[i], s_.plan->y[i]};
  }
  // The heading at row `m` (from row m - 1), in radians.
  std::optional<double> Heading(std::int64_t m) const {
    const auto a = Row(m - 1), b = Row(m);
    if (!a || !b) return std::nullopt;
    return std::atan2(b->second - a->second, b->first - a->first);
  }
  // The turn over the cell from metre `m`, per kilometre: positive to the right.
  double Curvature(std::int64_t m) const {
    const auto from = Heading(std::max<std::int64_t>(1, m)), to = Heading(m + 50);
    if (!from || !to) return 0;
    double turn = *to - *from;
    while (turn > std::numbers::pi) turn -= 2 * std::numbers::pi;
    while (turn < -std::numbers::pi) turn += 2 * std::numbers::pi;
    return std::round(-turn / 50 * 1000 * 1e4) / 1e4;
  }

  // Cells 1 to the line's end, the metres each stands for from 0.
  Json Profiles() const {
    Json km = Json::array(), speed = Json::array(), gradient = Json::array(),
         adhesion = Json::array(), tunnel = Json::array(), elevation = Json::array(),
         curvature = Json::array(), x = Json::array(), y = Json::array();
    double height = 0;
    for (std::int64_t c = 1; c <= last_; ++c) {
      const TrackCell& cell = s_.cells[static_cast<std::size_t>(c)];
      const std::int64_t metres = FeatureProgressive(c);
      km.push_back(Km(metres));
      speed.push_back(LineSpeedKmh(cell.speed_limit));
      gradient.push_back(GradientPerMille(cell.gradient));
      adhesion.push_back(cell.adhesion);
      tunnel.push_back(cell.montagna_kind);
      elevation.push_back(std::round(height * 100) / 100);
      height += static_cast<double>(GradientPerMille(cell.gradient)) * 0.05;
      curvature.push_back(Curvature(metres));
      if (const auto row = Row(metres)) {
        x.push_back(std::round(row->first * 100) / 100);
        y.push_back(std::round(row->second * 100) / 100);
      }
    }
    Json cells{{"km", km},
               {"speed", speed},
               {"gradient", gradient},
               {"adhesion", adhesion},
               {"tunnel", tunnel},
               {"elevation", elevation},
               {"curvature", curvature}};
    if (x.size() == km.size()) cells["x"] = x, cells["y"] = y;
    return cells;
  }

  // The places the page names: the features' records, the error and the
  // warnings, found together in one pass over each file.
  void FindPlaces() {
    if (!d_ || !sources_) return;
    std::vector<SourceLocation> places = {d_->error().at};
    for (std::int64_t c = 1; c <= last_; ++c) places.push_back(d_->OriginOf(c));
    for (std::size_t i = 0; i < ShownWarnings(); ++i) places.push_back(d_->warnings()[i].at);
    places_ = WhereAll(places, sources_->line, sources_->train);
  }
  // The page lists the first warnings and counts the rest: a hostile file
  // may give millions, which no one reads in a page.
  std::size_t ShownWarnings() const {
    return d_ ? std::min(d_->warnings().size(), kShownWarnings) : 0;
  }
  // "" for every place when there are no sources to find them in.
  const std::string& Place(std::size_t index) const {
    static const std::string kNowhere;
    return index < places_.size() ? places_[index] : kNowhere;
  }
  const std::string& OriginWhere(std::int64_t cell) const {
    return Place(static_cast<std::size_t>(cell));
  }
  const std::string& WarningWhere(std::size_t warning) const {
    return Place(static_cast<std::size_t>(last_) + 1 + warning);
  }
  std::string_view SourceLine(const SourceLocation& at) const {
    if (!sources_) return {};
    return LineAt(
        at.file == SourceLocation::File::kLine ? sources_->line.bytes : sources_->train.bytes,
        at.offset);
  }

  Json Features() const {
    Json features = Json::array();
    const TrackContext track{s_.cells, &s_.header};
    for (std::int64_t c = 1; c <= last_; ++c) {
      const CellDescription described = DescribeCell(track, static_cast<std::size_t>(c));
      if (described.kind.empty() && described.approach_text.empty()) continue;
      Json feature{{"c", c},
                   {"km", Km(FeatureProgressive(c))},
                   {"kind", described.kind},
                   {"text", CellText(described)}};
      const SourceLocation origin = d_ ? d_->OriginOf(c) : SourceLocation{};
      if (origin.file != SourceLocation::File::kNone) {
        feature["source"] = OriginWhere(c);
        feature["record"] = Utf8(SourceLine(origin));
      } else if (d_ && s_.cells[static_cast<std::size_t>(c)].kind == kBrakingPoint) {
        feature["source"] = "placed by the compiler";
      }
      features.push_back(std::move(feature));
    }
    return features;
  }

  // Each station with its record's progressive, the cell that holds it,
  // and where its record stands.
  Json Stations() const {
    Json stations = Json::array();
    const std::vector<StationRecord> records =
        sources_ ? StationRecords(sources_->train.bytes) : std::vector<StationRecord>{};
    std::vector<bool> used(records.size());
    for (std::size_t e = 1; e < kFirstBoardSlot; ++e) {
      const ScenarioEntry& st = s_.header[e];
      if (st.name.empty() && st.position == 0 && st.kind == 0) break;
      Json station{{"name", Utf8(st.name)},
                   {"km", Km(st.position)},
                   {"progressive", st.position},
                   {"cell", CellOf(st.position)},
                   {"time", st.time != 0 ? Clock(st.time) : ""},
                   {"from", Km(st.start)},
                   {"to", Km(st.end)},
                   {"type", st.kind}};
      const SourceLocation at = StationOrigin(st, records, used);
      if (at.file != SourceLocation::File::kNone) {
        station["source"] = Where(at);
        station["record"] = Utf8(SourceLine(at));
      }
      stations.push_back(std::move(station));
    }
    return stations;
  }
  // The record that placed a station's stop cell or, for a station with
  // none, the first station record not yet taken that gives its progressive.
  SourceLocation StationOrigin(const ScenarioEntry& st, const std::vector<StationRecord>& records,
                               std::vector<bool>& used) const {
    const auto train = [](std::int64_t offset) {
      return SourceLocation{SourceLocation::File::kTrain, offset};
    };
    if (d_ && HasStopCell(st.kind)) {
      const SourceLocation at = d_->OriginOf(StopCellOf(st.end));
      if (at.file == SourceLocation::File::kTrain) {
        for (std::size_t r = 0; r < records.size(); ++r)
          if (records[r].offset == at.offset) used[r] = true;
        return at;
      }
    }
    for (std::size_t r = 0; r < records.size(); ++r) {
      if (used[r] || records[r].progressive != st.position) continue;
      used[r] = true;
      return train(records[r].offset);
    }
    return {};
  }

  Json Boards() const {
    Json boards = Json::array();
    const TrackContext track{s_.cells, &s_.header};
    for (std::int64_t c = 1; c <= last_; ++c) {
      const TrackCell& cell = s_.cells[static_cast<std::size_t>(c)];
      if (cell.kind != kSpeedBoard && cell.kind != kTextBoard) continue;
      const CellDescription described = DescribeCell(track, static_cast<std::size_t>(c));
      boards.push_back(
          {{"km", Km(FeatureProgressive(c))},
           {"kind", cell.kind == kSpeedBoard ? "speed" : "text"},
           {"text", WhatText(described)},
           {"speed",
            cell.kind == kSpeedBoard ? BoardSpeedsOf(BoardCell(cell).first_speeds).left : 0}});
    }
    return boards;
  }

  // Each slow zone from its start cell to the end cell after it.
  Json SlowDowns() const {
    Json zones = Json::array();
    for (std::int64_t c = 1; c <= last_; ++c) {
      const TrackCell& start = s_.cells[static_cast<std::size_t>(c)];
      if (start.kind != kSlowDownStart) continue;
      std::int64_t end = c + 1;
      while (end <= LastCell(s_.cells) &&
             s_.cells[static_cast<std::size_t>(end)].kind != kSlowDownEnd) {
        ++end;
      }
      zones.push_back({{"from", Km(FeatureProgressive(c))},
                       {"to", Km(FeatureProgressive(std::min(end, LastCell(s_.cells))))},
                       {"speed", SlowDownCell(start).speed}});
    }
    return zones;
  }

  Json Tunnels() const {
    Json tunnels = Json::array();
    for (std::int64_t c = 1; c <= last_;) {
      std::int64_t end = c;
      while (end <= last_ && s_.cells[static_cast<std::size_t>(end)].montagna_kind != 0) ++end;
      if (end > c)
        tunnels.push_back(
            {{"from", Km(FeatureProgressive(c))}, {"to", Km(FeatureProgressive(end))}});
      c = end + 1;
    }
    return tunnels;
  }

  // A message with a place: its record's progressive, and the cell the
  // record filled or else the one that holds the progressive.
  Json Message(const char* level, const SourceLocation& at, const std::string& where,
               const std::string& text, std::optional<std::int64_t> metres) const {
    Json message{{"level", level}, {"where", where}, {"text", text}};
    if (!metres) metres = ProgressiveOf(SourceLine(at));
    if (!metres) return message;
    message["km"] = Km(*metres);
    message["progressive"] = *metres;
    message["cell"] =
        std::clamp<std::int64_t>(CellFilledBy(at).value_or(CellOf(*metres)), 1, last_);
    return message;
  }
  std::optional<std::int64_t> CellFilledBy(const SourceLocation& at) const {
    if (at.file == SourceLocation::File::kNone) return std::nullopt;
    const auto found = cell_by_record_.find(RecordKey(at));
    if (found == cell_by_record_.end()) return std::nullopt;
    return found->second;
  }
  // A record's file and the offset its line starts at, as one key.
  std::int64_t RecordKey(const SourceLocation& at) const {
    const bool line_file = at.file == SourceLocation::File::kLine;
    const std::string_view bytes = line_file ? sources_->line.bytes : sources_->train.bytes;
    return LineStartAt(bytes, at.offset) * 2 + (line_file ? 1 : 0);
  }
  // The first cell each record filled, found once for every message.
  void FindCellsByRecord() {
    if (!d_ || !sources_) return;
    for (std::int64_t c = last_; c >= 1; --c) {
      const SourceLocation origin = d_->OriginOf(c);
      if (origin.file != SourceLocation::File::kNone) cell_by_record_[RecordKey(origin)] = c;
    }
  }
  std::string Where(const SourceLocation& at) const {
    return sources_ ? tarvosa::Where(at, sources_->line, sources_->train) : std::string();
  }

  Json Messages() const {
    Json messages = Json::array();
    if (!d_ || !sources_) return messages;
    // Every error found, in file order, each told as the tool tells it.
    std::vector<const Diagnostic*> errors;
    for (const Diagnostic& error : d_->errors()) errors.push_back(&error);
    std::stable_sort(errors.begin(), errors.end(), [](const Diagnostic* a, const Diagnostic* b) {
      return std::tie(a->at.file, a->at.offset) < std::tie(b->at.file, b->at.offset);
    });
    for (const Diagnostic* error : errors) {
      const DataErrorInfo* info = FindDataError(NumberOf(error->error));
      std::string text = DescribeError(*error, sources_->line, sources_->train);
      const std::string where = Where(error->at);
      if (!where.empty() && text.starts_with(where + ": ")) text.erase(0, where.size() + 2);
      if (error->follows.file != SourceLocation::File::kNone) {
        text += " (may follow from the error at " + Where(error->follows) + ")";
      }
      messages.push_back(Message("error", error->at, where, text,
                                 info && info->has_position
                                     ? std::optional<std::int64_t>(error->position)
                                     : std::nullopt));
    }
    const std::vector<Warning>& warnings = d_->warnings();
    for (std::size_t i = 0; i < ShownWarnings(); ++i) {
      messages.push_back(
          Message("warning", warnings[i].at, WarningWhere(i), warnings[i].text, std::nullopt));
    }
    if (d_->warning_count() > ShownWarnings()) {
      const std::size_t more = d_->warning_count() - ShownWarnings();
      messages.push_back({{"level", "warning"},
                          {"where", ""},
                          {"text", std::to_string(more) + " more warnings are not shown here"}});
    }
    return messages;
  }

  const CompiledScenario& s_;
  const Diagnostics* d_;
  const ViewSources* sources_;
  std::int64_t length_ = 0;
  std::int64_t last_ = 0;
  std::vector<std::string> places_;  // the error's, cells 1 to last_'s, the warnings'
  std::unordered_map<std::int64_t, std::int64_t> cell_by_record_;
};

}  // namespace

Json ViewData(const CompiledScenario& scenario, const Diagnostics* diagnostics,
              const ViewSources* sources) {
  if (scenario.cells.size() < 2) return Json::object();
  return Builder(scenario, diagnostics, sources).Build();
}

}  // namespace tarvosa::tool
