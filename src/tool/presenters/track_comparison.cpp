#include <algorithm>
#include <string>
#include <vector>

#include "compiler/stored_format.h"
#include "tool/presenters/comparisons.h"

namespace tarvosa::tool {
namespace {

// One thing to report, from cell `first` to cell `last`.
struct Difference {
  std::size_t first, last;
  std::vector<std::string> lines;
};

std::string CellsAt(std::size_t first, std::size_t last) {
  const auto metres = [](std::size_t c) {
    return std::to_string(FeatureProgressive(static_cast<std::int64_t>(c)));
  };
  if (first == last) return "cell " + std::to_string(first) + " (" + metres(first) + " m)";
  return "cells " + std::to_string(first) + " to " + std::to_string(last) + " (" + metres(first) +
         " to " + metres(last) + " m)";
}

std::string Feature(const TrackContext& side, std::size_t index) {
  if (index >= side.cells.size()) return "no such cell";
  return CellText(DescribeCell(side, index));
}

// Whether the cell's feature and values differ; a cell that only one side
// has and that holds nothing is told by the profile alone.
bool FeatureDiffers(const std::string& a, const std::string& b) {
  if (a == b) return false;
  return !((a == "no such cell" && b == "nothing") || (a == "nothing" && b == "no such cell"));
}

// "gradient A -4, B -5; speed A ..." for the profile values that differ.
std::string ProfileChange(const TrackContext& a, const TrackContext& b, std::size_t index) {
  const bool in_a = index < a.cells.size(), in_b = index < b.cells.size();
  const Fields pa = in_a ? Profile(a.cells[index]) : Profile(TrackCell{});
  const Fields pb = in_b ? Profile(b.cells[index]) : Profile(TrackCell{});
  std::string change;
  for (std::size_t i = 0; i < pa.size(); ++i) {
    const std::string va = in_a ? pa[i].shown : "-", vb = in_b ? pb[i].shown : "-";
    if (va == vb) continue;
    change += (change.empty() ? "" : "; ") + pa[i].label + " A " + va + ", B " + vb;
  }
  return change;
}

void AddProfile(std::vector<Difference>& runs, std::size_t index, const std::string& change) {
  if (!runs.empty() && runs.back().last + 1 == index && runs.back().lines.front() == change) {
    runs.back().last = index;
  } else {
    runs.push_back({index, index, {change}});
  }
}

void Report(const std::vector<Difference>& features, const std::vector<Difference>& runs,
            std::ostream& out) {
  std::vector<Difference> all = features;
  for (const Difference& run : runs) {
    all.push_back({run.first, run.last, {CellsAt(run.first, run.last) + ": " + run.lines[0]}});
  }
  std::stable_sort(all.begin(), all.end(),
                   [](const Difference& x, const Difference& y) { return x.first < y.first; });
  for (const Difference& d : all) {
    for (const std::string& line : d.lines) out << "  " << line << "\n";
  }
}

}  // namespace

bool CompareTracks(const TrackContext& a, const TrackContext& b, std::ostream& out) {
  const std::size_t cells = std::max(a.cells.size(), b.cells.size());
  std::vector<Difference> features, runs;
  std::size_t differing = 0;
  for (std::size_t i = 0; i < cells; ++i) {
    if (i < a.cells.size() && i < b.cells.size() && a.cells[i] == b.cells[i]) continue;
    ++differing;
    const std::string fa = Feature(a, i), fb = Feature(b, i);
    if (FeatureDiffers(fa, fb))
      features.push_back({i, i, {CellsAt(i, i), "  A: " + fa, "  B: " + fb}});
    if (const std::string change = ProfileChange(a, b, i); !change.empty()) {
      AddProfile(runs, i, change);
    }
  }
  out << "track: ";
  if (a.cells.size() != b.cells.size()) {
    out << "A has " << a.cells.size() << " cells, B " << b.cells.size() << "; ";
  }
  if (differing == 0) {
    out << "the same (" << cells << " cells)\n";
    return false;
  }
  out << differing << " of " << cells << " cells differ\n";
  Report(features, runs, out);
  return true;
}

}  // namespace tarvosa::tool
