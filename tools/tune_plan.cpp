// tune_plan: moves curve starts of a line definition file by single metres
// until the last row of its plan lands on the wanted coordinates, to the
// third decimal. It runs the compiler's own line reader, so what it finds is
// what the installer will write.
//
//   tune_plan LINE_FILE X Y [--keep START]...
//
// Curves whose start is given with --keep stay where they are. Prints the
// curve lines to change, or that the plan already lands there.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "compiler/compile.h"
#include "compiler/diagnostics.h"
#include "util/files.h"

namespace {

struct Point {
  double x = 0, y = 0;
};

struct Curve {
  std::size_t line;  // index in the file's lines
  std::string keyword;
  long start, length;
};

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::stringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::string CurveLine(const Curve& c) {
  return c.keyword + ",  " + std::to_string(c.start) + ",  " + std::to_string(c.length);
}

// The last computed row of the plan of `lines`, compiled in memory with a
// train that adds nothing; a line that does not compile cleanly ends the
// program with the compiler's message.
Point LastRow(const std::string& name, std::vector<std::string> lines,
              const std::vector<Curve>& curves) {
  for (const Curve& c : curves) lines[c.line] = CurveLine(c);
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  constexpr std::string_view kNoTrain = "[generale]\r\n[fine]\r\n";
  const tarvosa::Compilation compiled = tarvosa::Compile({.line_text = bytes,
                                                          .train_text = kNoTrain,
                                                          .route_title = "Tarvosa",
                                                          .train_title = "Corvale",
                                                          .plan = true});
  const auto& plan = compiled.scenario.plan;
  if (compiled.diagnostics.HasError() || !plan || plan->x.empty()) {
    const std::string why =
        tarvosa::DescribeError(compiled.diagnostics.error(), {name, bytes}, {"(no train)", ""});
    std::fprintf(stderr, "the line file does not compile cleanly: %s\n",
                 why.empty() ? "it has no plan" : why.c_str());
    std::exit(2);
  }
  return {plan->x.back(), plan->y.back()};
}

bool Lands(Point p, Point target) {
  return std::round(p.x * 1000) == std::round(target.x * 1000) &&
         std::round(p.y * 1000) == std::round(target.y * 1000);
}

// Whether curve i can move by d metres without touching its neighbours.
bool CanMove(const std::vector<Curve>& curves, std::size_t i, long d) {
  const long previous_end = i == 0 ? 0 : curves[i - 1].start + curves[i - 1].length;
  const long next_start = i + 1 < curves.size() ? curves[i + 1].start : 1L << 40;
  const long start = curves[i].start + d;
  return start >= previous_end && start + curves[i].length <= next_start && start > 0;
}

// Moving one curve a metre later moves the end point by a fixed vector (the
// path after it is only translated), so the moves add up exactly.
std::vector<int> BestMoves(const std::vector<Point>& shift, const std::vector<std::size_t>& pick,
                           const std::vector<Curve>& curves, Point need) {
  const std::size_t half = pick.size() / 2;
  auto sums = [&](std::size_t from, std::size_t to) {
    std::vector<std::pair<Point, std::vector<int>>> out{{{0, 0}, {}}};
    for (std::size_t k = from; k < to; ++k) {
      std::vector<std::pair<Point, std::vector<int>>> next;
      for (const auto& [p, moves] : out) {
        for (int d = -1; d <= 1; ++d) {
          if (d != 0 && !CanMove(curves, pick[k], d)) continue;
          auto m = moves;
          m.push_back(d);
          next.push_back({{p.x + d * shift[pick[k]].x, p.y + d * shift[pick[k]].y}, m});
        }
      }
      out.swap(next);
    }
    return out;
  };
  const auto a = sums(0, half);
  const auto b = sums(half, pick.size());
  const double cell = 0.002;
  std::map<std::pair<long, long>, std::vector<std::size_t>> grid;
  for (std::size_t i = 0; i < b.size(); ++i) {
    grid[{std::lround(std::floor(b[i].first.x / cell)),
          std::lround(std::floor(b[i].first.y / cell))}]
        .push_back(i);
  }
  double best = 1e9;
  std::vector<int> moves;
  for (const auto& [p, ma] : a) {
    const double rx = need.x - p.x, ry = need.y - p.y;
    const long cx = std::lround(std::floor(rx / cell)), cy = std::lround(std::floor(ry / cell));
    for (long ox = -1; ox <= 1; ++ox) {
      for (long oy = -1; oy <= 1; ++oy) {
        auto it = grid.find({cx + ox, cy + oy});
        if (it == grid.end()) continue;
        for (std::size_t i : it->second) {
          const double r = std::max(std::fabs(rx - b[i].first.x), std::fabs(ry - b[i].first.y));
          if (r < best) {
            best = r;
            moves = ma;
            moves.insert(moves.end(), b[i].second.begin(), b[i].second.end());
          }
        }
      }
    }
  }
  return moves;
}

// Two curves that move the end point in different directions, moved by as
// many metres as brings it nearest: the rest is left to single metres.
void CoarseMoves(const std::vector<Point>& shift, const std::vector<std::size_t>& movable,
                 std::vector<Curve>& curves, Point need) {
  double best = std::hypot(need.x, need.y);
  std::size_t best_a = 0, best_b = 0;
  long best_da = 0, best_db = 0;
  for (std::size_t a : movable) {
    for (std::size_t b : movable) {
      const Point u = shift[a], v = shift[b];
      const double det = u.x * v.y - u.y * v.x;
      if (b <= a || std::fabs(det) < 1e-3) continue;
      const long da = std::lround((need.x * v.y - need.y * v.x) / det);
      const long db = std::lround((u.x * need.y - u.y * need.x) / det);
      if (!CanMove(curves, a, da) || !CanMove(curves, b, db)) continue;
      const double rest = std::hypot(need.x - da * u.x - db * v.x, need.y - da * u.y - db * v.y);
      if (rest < best - 1e-9) best = rest, best_a = a, best_b = b, best_da = da, best_db = db;
    }
  }
  curves[best_a].start += best_da;
  curves[best_b].start += best_db;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: tune_plan LINE_FILE X Y [--keep START]...\n");
    return 4;
  }
  const auto text = tarvosa::ReadWholeFile(tarvosa::DefaultOs(), argv[1], tarvosa::Links::kFollow);
  if (!text.ok()) {
    std::fprintf(stderr, "%s: cannot read the file\n", argv[1]);
    return 1;
  }
  const Point target{std::atof(argv[2]), std::atof(argv[3])};
  std::set<long> keep;
  for (int i = 4; i + 1 < argc; i += 2) keep.insert(std::atol(argv[i + 1]));

  const std::vector<std::string> lines = SplitLines(*text);
  std::vector<Curve> curves;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].rfind("curva", 0) != 0) continue;
    std::stringstream in(lines[i]);
    std::string keyword, start, length;
    std::getline(in, keyword, ',');
    std::getline(in, start, ',');
    std::getline(in, length, ',');
    curves.push_back({i, keyword, std::atol(start.c_str()), std::atol(length.c_str())});
  }

  Point end = LastRow(argv[1], lines, curves);
  if (Lands(end, target)) {
    std::printf("the plan already ends at %.3f, %.3f\n", end.x, end.y);
    return 0;
  }
  std::vector<Point> shift(curves.size());
  std::vector<std::size_t> movable;
  for (std::size_t i = 0; i < curves.size(); ++i) {
    if (keep.count(curves[i].start)) continue;
    auto moved = curves;
    ++moved[i].start;
    const Point p = LastRow(argv[1], lines, moved);
    shift[i] = {p.x - end.x, p.y - end.y};
    movable.push_back(i);
  }
  auto tuned = curves;
  CoarseMoves(shift, movable, tuned, {target.x - end.x, target.y - end.y});
  end = LastRow(argv[1], lines, tuned);
  std::sort(movable.begin(), movable.end(), [&](std::size_t a, std::size_t b) {
    return std::hypot(shift[a].x, shift[a].y) < std::hypot(shift[b].x, shift[b].y);
  });
  movable.resize(std::min<std::size_t>(movable.size(), 24));
  const std::vector<int> moves =
      BestMoves(shift, movable, tuned, {target.x - end.x, target.y - end.y});
  for (std::size_t k = 0; k < moves.size(); ++k) tuned[movable[k]].start += moves[k];
  end = LastRow(argv[1], lines, tuned);
  for (std::size_t i = 0; i < curves.size(); ++i) {
    if (tuned[i].start != curves[i].start) {
      std::printf("%s  ->  %s\n", CurveLine(curves[i]).c_str(), CurveLine(tuned[i]).c_str());
    }
  }
  std::printf("the plan then ends at %.6f, %.6f%s\n", end.x, end.y,
              Lands(end, target) ? "" : " (still off: move more curves by hand first)");
  return Lands(end, target) ? 0 : 3;
}
