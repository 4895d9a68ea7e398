#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

#include "tool/presenters/comparisons.h"

namespace tarvosa::tool {
namespace {

bool Same(const PlanElement& a, const PlanElement& b) {
  return a.tag == b.tag && (a.tag == 0 || std::bit_cast<std::uint64_t>(a.value) ==
                                              std::bit_cast<std::uint64_t>(b.value));
}

bool Empty(const DecodedPlan& plan, std::size_t row) {
  return plan.first[row].tag == 0 || plan.second[row].tag == 0;
}

struct Summary {
  std::size_t differing = 0;
  std::size_t empty_in_one = 0;  // rows empty in one plan and not in the other
  double largest = -1;           // the largest distance, -1 while none
  std::size_t row = 0;           // where it is
};

Summary Summarise(const DecodedPlan& a, const DecodedPlan& b, std::size_t rows) {
  Summary s;
  for (std::size_t r = 0; r < rows; ++r) {
    if (Same(a.first[r], b.first[r]) && Same(a.second[r], b.second[r])) continue;
    ++s.differing;
    if (Empty(a, r) || Empty(b, r)) {
      s.empty_in_one += Empty(a, r) != Empty(b, r);
      continue;
    }
    const double distance =
        std::hypot(a.first[r].value - b.first[r].value, a.second[r].value - b.second[r].value);
    if (distance > s.largest) s.largest = distance, s.row = r;
  }
  return s;
}

std::string Number(double value) {
  char text[48];
  std::snprintf(text, sizeof text, "%.6f", value);
  return text;
}

std::string Point(const DecodedPlan& plan, std::size_t row) {
  std::string point = "(";
  point += Number(plan.first[row].value);
  point += ", ";
  point += Number(plan.second[row].value);
  point += ")";
  return point;
}

}  // namespace

bool ComparePlans(const DecodedPlan& a, const DecodedPlan& b, std::ostream& out) {
  const std::size_t rows = std::min(a.first.size(), b.first.size());
  const Summary s = Summarise(a, b, rows);
  const bool counts_differ = a.first.size() != b.first.size();
  out << "plan: ";
  if (counts_differ) {
    out << "A has " << a.first.size() << " rows, B " << b.first.size() << "; over the first "
        << rows << ", ";
  }
  if (s.differing == 0) {
    out << (counts_differ ? "no row differs\n" : "the same (" + std::to_string(rows) + " rows)\n");
    return counts_differ;
  }
  out << s.differing << " of " << rows << " rows differ\n";
  if (s.largest >= 0) {
    out << "  the largest distance is " << Number(s.largest) << " m, at row " << s.row << " ("
        << s.row << " m): A " << Point(a, s.row) << ", B " << Point(b, s.row) << "\n";
  }
  if (s.empty_in_one > 0) {
    out << "  " << s.empty_in_one << " rows are empty in one plan and not in the other\n";
  }
  return true;
}

}  // namespace tarvosa::tool
