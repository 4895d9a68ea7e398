// What the railway checks share: the records sorted by what they are, the
// line-speed profile as written, and the limits the checks hold to.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "compiler/compile.h"
#include "compiler/diagnostics.h"
#include "compiler/internal/source_records.h"

namespace tarvosa::railway {

// Cant and cant deficiency, in mm, that the curve check allows: 160 mm is
// the usual highest cant of standard-gauge main lines, and 150 mm the
// highest cant deficiency commonly allowed for ordinary (not tilting)
// trains, so a curve is flagged only when no ordinary train could take it
// at the line speed.
inline constexpr double kCant = 160;
inline constexpr double kCantDeficiency = 150;
// The steepest grade, per mille, of main lines worked by adhesion alone.
inline constexpr std::int64_t kSteepestGrade = 35;
// How far past a speed board the line speed it announces is looked up.
inline constexpr std::int64_t kBoardReach = 1000;

// The records of each kind, in file order, as the readers matched them.
struct RailwayRecords {
  std::vector<const SourceRecord*> stations;
  std::vector<const SourceRecord*> speeds;
  std::vector<const SourceRecord*> boards;
  std::vector<const SourceRecord*> curves;
  std::vector<const SourceRecord*> gradients;
  std::vector<const SourceRecord*> tunnels;
  std::vector<const SourceRecord*> clocks;
  // Every record that stands at a place on the line, but the tunnel spans:
  // the ones a repeat is worth a word for (a setting given twice the same
  // changes nothing).
  std::vector<const SourceRecord*> placed;
};

RailwayRecords SortRecords(const SourceRecords& records);

// Whether `record` holds at least `count` values, and value `i` as a number.
bool Holds(const SourceRecord& record, std::size_t count);
std::int64_t Number(const SourceRecord& record, std::size_t i);
SourceLocation At(const SourceRecord& record, std::size_t i);

// The line of `input`'s file that `at` stands on, counted from 1.
std::size_t LineOf(const CompileInput& input, const SourceLocation& at);

// The line speeds as the train file writes them, each from its progressive
// to the next one's; 0 before the first.
class SpeedProfile {
 public:
  explicit SpeedProfile(const std::vector<const SourceRecord*>& speeds);
  bool empty() const { return steps_.empty(); }
  // The speed in force at `progressive`.
  std::int64_t At(std::int64_t progressive) const;
  // The highest speed in force from `from` up to `to`.
  std::int64_t HighestBetween(std::int64_t from, std::int64_t to) const;
  // The speed of the first record from `from` to `to`, both included; 0
  // when there is none.
  std::int64_t FirstBetween(std::int64_t from, std::int64_t to) const;

 private:
  struct Step {
    std::int64_t progressive;
    std::int64_t speed;
  };
  std::vector<Step> steps_;  // in order of progressive
};

// The checks, each over the records it concerns.
void CheckTimetable(const RailwayRecords& records, const SpeedProfile& speeds, Diagnostics& d);
void CheckBoards(const RailwayRecords& records, const SpeedProfile& speeds, Diagnostics& d);
void CheckCurves(const RailwayRecords& records, const SpeedProfile& speeds, Diagnostics& d);
// A curve that begins before the one before it ends, bending the other way.
void CheckReverseCurves(const RailwayRecords& records, Diagnostics& d);
void CheckGradients(const RailwayRecords& records, Diagnostics& d);
void CheckRepeats(const RailwayRecords& records, const CompileInput& input, Diagnostics& d);
void CheckTunnelSpans(const RailwayRecords& records, const CompileInput& input, Diagnostics& d);
void CheckStationNames(const RailwayRecords& records, Diagnostics& d);

}  // namespace tarvosa::railway
