// The timetable sheet against the train data: its station table and the
// kilometres its speed tables give.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <tuple>

#include "documents/document_check.h"
#include "documents/document_reading.h"
#include "documents/station_names.h"

namespace tarvosa {
namespace {

// Two times agree when the sheet's minute or half minute is the data's.
constexpr std::int32_t kHalfMinute = 30;
// The sheet gives kilometres to 10 m.
constexpr std::int32_t kKilometreStep = 10;

std::string Quoted(const std::string& name) {
  return "'" + name + "'";
}

// Seconds since midnight as the train data writes them: 10:12:20.
std::string ClockTime(std::int32_t seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%d:%02d:%02d", seconds / 3600, seconds / 60 % 60, seconds % 60);
  return text;
}

DocumentFinding At(const WrittenValue& value, std::string text) {
  return {value.line, value.column, std::move(text)};
}

class TimetableCheck {
 public:
  TimetableCheck(const DocumentLines& sheet, const RouteFacts& facts)
      : read_(ReadSheet(sheet)), stations_(facts.stations) {}

  std::vector<DocumentFinding> Run() {
    if (!read_.head_line) {
      if (!stations_.empty()) {
        findings_.push_back({1, 1,
                             "no station table: no line holds the heads 'Località', 'Arr' and "
                             "'Part', so no station of the train data is on the sheet"});
      }
      return std::move(findings_);
    }
    MatchRows();
    for (std::size_t i = 0; i < stations_.size(); ++i) {
      if (rows_of_[i] && i > 0) CheckTime(i, read_.stations[*rows_of_[i]]);
      CheckKilometre(i);
    }
    std::stable_sort(findings_.begin(), findings_.end(),
                     [](const DocumentFinding& a, const DocumentFinding& b) {
                       return std::tie(a.line, a.column) < std::tie(b.line, b.column);
                     });
    return std::move(findings_);
  }

 private:
  // The first free row naming the station, at or after `from` when there
  // is one there.
  std::optional<std::size_t> RowNaming(const StationFact& station, std::size_t from,
                                       const std::vector<bool>& taken) const {
    std::optional<std::size_t> before;
    for (std::size_t r = 0; r < read_.stations.size(); ++r) {
      if (taken[r] || !SameStation(read_.stations[r].name.text, station.name)) continue;
      if (r >= from) return r;
      if (!before) before = r;
    }
    return before;
  }

  // Each station of the data to a row of the table, in running order.
  void MatchRows() {
    const std::vector<SheetStation>& rows = read_.stations;
    std::vector<bool> taken(rows.size(), false);
    rows_of_.assign(stations_.size(), std::nullopt);
    std::size_t next = 0;
    std::optional<std::size_t> last;  // the station matched latest in table order
    for (std::size_t i = 0; i < stations_.size(); ++i) {
      const StationFact& station = stations_[i];
      const auto row = RowNaming(station, next, taken);
      if (!row) {
        Missing(station, next);
        continue;
      }
      taken[*row] = true;
      rows_of_[i] = row;
      if (*row < next && last) {
        findings_.push_back(At(rows[*row].name, "the sheet has " + Quoted(rows[*row].name.text) +
                                                    " before " + Quoted(stations_[*last].name) +
                                                    ", which the train reaches first"));
        continue;
      }
      next = *row + 1;
      last = i;
    }
    for (std::size_t r = 0; r < rows.size(); ++r) {
      if (!taken[r]) {
        findings_.push_back(At(rows[r].name, "the sheet's station " + Quoted(rows[r].name.text) +
                                                 " is none of the train data's stations"));
      }
    }
  }

  void Missing(const StationFact& station, std::size_t next) {
    const std::vector<SheetStation>& rows = read_.stations;
    const std::size_t line = next < rows.size() ? rows[next].name.line
                             : rows.empty()     ? *read_.head_line + 2
                                                : rows.back().name.line + 1;
    findings_.push_back({line, 1,
                         "the sheet lacks the train data's station " + Quoted(station.name) +
                             " (at " + std::to_string(station.position) + " m) here"});
  }

  void CheckTime(std::size_t i, const SheetStation& row) {
    const StationFact& station = stations_[i];
    if (station.time <= 0) return;
    const bool last = i + 1 == stations_.size();
    const WrittenValue& cell = last && !row.arrival.text.empty() ? row.arrival : row.departure;
    const std::string data = "the train data " + ClockTime(station.time);
    if (cell.text.empty()) {
      findings_.push_back(
          At(cell, "the sheet gives no time at " + Quoted(row.name.text) + "; " + data));
      return;
    }
    const auto time = SheetTime(cell.text);
    if (!time) {
      findings_.push_back(At(cell, "the sheet's time " + Quoted(cell.text) + " at " +
                                       Quoted(row.name.text) + " is no time (H.MM or H.MM½); " +
                                       data));
    } else if (std::abs(*time - station.time) > kHalfMinute) {
      findings_.push_back(At(cell, "the sheet gives " + cell.text + " at " + Quoted(row.name.text) +
                                       ", " + data + ": more than half a minute apart"));
    }
  }

  void CheckKilometre(std::size_t i) {
    const StationFact& station = stations_[i];
    const SheetKilometre* first = nullptr;
    for (const SheetKilometre& row : read_.kilometres) {
      if (!SameStation(row.name.text, station.name)) continue;
      if (std::abs(row.metres - station.position) < kKilometreStep) return;
      if (first == nullptr) first = &row;
    }
    const std::string data = "the train data at " + std::to_string(station.position) + " m";
    if (first != nullptr) {
      findings_.push_back(At(first->kilometres, "the sheet puts " + Quoted(first->name.text) +
                                                    " at km " + first->kilometres.text + ", " +
                                                    data));
      return;
    }
    const WrittenValue where =
        rows_of_[i] ? read_.stations[*rows_of_[i]].name
                    : WrittenValue{.text = "", .line = *read_.head_line + 1, .column = 1};
    findings_.push_back(At(where, "no speed table of the sheet gives the kilometre of " +
                                      Quoted(station.name) + "; " + data));
  }

  SheetFacts read_;
  const std::vector<StationFact>& stations_;
  std::vector<std::optional<std::size_t>> rows_of_;
  std::vector<DocumentFinding> findings_;
};

}  // namespace

std::vector<DocumentFinding> CheckTimetable(const DocumentLines& sheet, const RouteFacts& facts) {
  return TimetableCheck(sheet, facts).Run();
}

}  // namespace tarvosa
