// The line against the train's line speeds: what the speed boards
// announce, how fast the curves may be taken, and how steep the grades.
#include <algorithm>
#include <array>
#include <cmath>

#include "compiler/internal/field_reader.h"
#include "compiler/internal/railway_records.h"
#include "compiler/messages.h"
#include "compiler/plan.h"
#include "compiler/stored_format.h"

namespace tarvosa::railway {
namespace {

// A board's values: progressive, left speeds, left stripes, right speeds,
// right stripes.
constexpr std::size_t kBoardValues = 9;
constexpr std::int64_t kBoardSpacing = 300;  // between the boards of a sequence

struct Board {
  const SourceRecord* record;
  std::int64_t position;
  std::array<std::int64_t, 6> speeds;  // left then right
  std::int64_t stripes;
};

Board BoardOf(const SourceRecord& record) {
  Board board{&record, Number(record, 0), {}, std::max(Number(record, 4), Number(record, 8))};
  for (std::size_t i = 0; i < 3; ++i) {
    board.speeds[i] = Number(record, 1 + i);
    board.speeds[3 + i] = Number(record, 5 + i);
  }
  return board;
}

// Where the limit a board announces applies: for a board with stripes, at
// the board with none that ends its sequence (the same speeds, at most
// 300 m a stripe further on); else at the board itself.
std::int64_t AnnouncedAt(const Board& board, const std::vector<Board>& boards) {
  if (board.stripes <= 0) return board.position;
  const std::int64_t reach = board.position + kBoardSpacing * board.stripes;
  for (const Board& other : boards) {
    if (other.stripes == 0 && other.speeds == board.speeds && other.position > board.position &&
        other.position <= reach) {
      return other.position;
    }
  }
  return board.position;
}

std::string SpeedsText(const Board& board) {
  std::vector<std::int64_t> shown;
  for (const std::int64_t speed : board.speeds) {
    if (speed != 0) shown.push_back(speed);
  }
  std::string text;
  for (std::size_t i = 0; i < shown.size(); ++i) {
    if (i > 0) text += i + 1 == shown.size() ? " and " : ", ";
    text += std::to_string(shown[i]);
  }
  return text + " km/h";
}

void CheckBoard(const Board& board, const std::vector<Board>& boards, const SpeedProfile& speeds,
                Diagnostics& d) {
  const std::int64_t announced = AnnouncedAt(board, boards);
  const std::int64_t there = announced + kBoardReach;
  const std::int64_t speed = speeds.At(there);
  if (speed == 0) return;  // no line speed written there
  // A speed is announced as written or as kept, in steps of 5 km/h.
  const auto announces = [&board](std::int64_t kmh) {
    const auto shown = [&board](std::int64_t v) {
      return std::find(board.speeds.begin(), board.speeds.end(), v) != board.speeds.end();
    };
    return kmh != 0 && (shown(kmh) || shown(LineSpeedStep(kmh) * 5));
  };
  // A limit may hold for less than the reach, up to the next board: the
  // first speed that begins past the board counts as well.
  const std::int64_t first = speeds.FirstBetween(announced, there);
  if (announces(speed) || announces(first)) return;
  d.Warn(At(*board.record, 1), [&] {
    std::string text = "the board announces " + SpeedsText(board) + ", but the line speed " +
                       Metres(kBoardReach) + " past ";
    text += announced == board.position
                ? "it"
                : "the board without stripes that ends its sequence (at " + Metres(announced) + ")";
    text += ", at " + Metres(there) + ", is " + std::to_string(speed) + " km/h";
    if (first != 0 && first != speed) {
      text += ", and the first to begin before it is " + std::to_string(first) + " km/h";
    }
    return text;
  });
}

// The highest speed, in km/h, at which a curve of `radius` metres is
// taken with the cant and cant deficiency allowed: V = √(R (h + I) / 11.8).
double CurveSpeed(double radius) {
  return std::sqrt(radius * (kCant + kCantDeficiency) / 11.8);
}

// The class the reader takes: the lowest digit 1 to 6 the keyword holds.
int CurveClass(std::string_view keyword) {
  for (int digit = 1; digit <= 6; ++digit) {
    if (keyword.find(static_cast<char>('0' + digit)) != std::string_view::npos) return digit;
  }
  return 0;
}

}  // namespace

void CheckBoards(const RailwayRecords& records, const SpeedProfile& speeds, Diagnostics& d) {
  if (speeds.empty()) return;
  std::vector<Board> boards;
  for (const SourceRecord* record : records.boards) {
    if (Holds(*record, kBoardValues)) boards.push_back(BoardOf(*record));
  }
  for (const Board& board : boards) CheckBoard(board, boards, speeds, d);
}

void CheckCurves(const RailwayRecords& records, const SpeedProfile& speeds, Diagnostics& d) {
  if (speeds.empty()) return;
  for (const SourceRecord* curve : records.curves) {
    const int curve_class = CurveClass(curve->name);
    if (!Holds(*curve, 2) || curve_class == 0) continue;
    const std::int64_t start = Number(*curve, 0);
    const std::int64_t end = start + std::max<std::int64_t>(Number(*curve, 1), 1);
    const std::int64_t speed = speeds.HighestBetween(start, end);
    const double radius = 1.0 / CurveClassCurvature(curve_class);
    const double allowed = CurveSpeed(radius);
    if (static_cast<double>(speed) <= allowed) continue;
    d.Warn(curve->keyword, [&] {
      return "a curve of class " + std::to_string(curve_class) + " (radius " +
             std::to_string(std::lround(radius)) + " m) is taken at " +
             std::to_string(static_cast<long>(allowed)) + " km/h at most (" +
             std::to_string(static_cast<int>(kCant)) + " mm cant, " +
             std::to_string(static_cast<int>(kCantDeficiency)) +
             " mm cant deficiency), but the line speed on it reaches " + std::to_string(speed) +
             " km/h";
    });
  }
}

void CheckReverseCurves(const RailwayRecords& records, Diagnostics& d) {
  const SourceRecord* before = nullptr;
  std::int64_t before_end = 0;
  bool before_left = false;
  for (const SourceRecord* curve : records.curves) {
    if (!Holds(*curve, 2) || CurveClass(curve->name) == 0 || Number(*curve, 1) <= 0) continue;
    const std::int64_t start = Number(*curve, 0);
    const bool left = Contains(curve->name, "s");
    if (before != nullptr && left != before_left && start <= before_end) {
      d.Warn(curve->keyword, [&] {
        const auto side = [](bool l) { return std::string(l ? "left" : "right"); };
        return "this " + side(left) + " curve begins at " + std::to_string(start) +
               " m, where the " + side(before_left) + " curve before it still bends (to " +
               std::to_string(before_end) +
               " m): curves the other way need a straight between them for the cant to run "
               "out, so the side of one of them may be wrong";
      });
    }
    before = curve;
    before_end = start + Number(*curve, 1);
    before_left = left;
  }
}

void CheckGradients(const RailwayRecords& records, Diagnostics& d) {
  for (const SourceRecord* gradient : records.gradients) {
    if (!Holds(*gradient, 2)) continue;
    const std::int64_t value = Number(*gradient, 1);
    if (value >= -kSteepestGrade && value <= kSteepestGrade) continue;
    d.Warn(At(*gradient, 1), [&] {
      return "a gradient of " + std::to_string(value) + " per mille is steeper than " +
             std::to_string(kSteepestGrade) +
             ", the steepest of main lines worked by adhesion alone";
    });
  }
}

}  // namespace tarvosa::railway
