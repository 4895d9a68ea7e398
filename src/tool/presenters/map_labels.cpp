#include "tool/presenters/map_labels.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string_view>

namespace tarvosa::tool {
namespace {

// The advance of one ASCII letter in ems, rounded up from the widest
// common sans-serif faces; any other character counts as a wide letter.
double Advance(unsigned char c) {
  if (c >= 0x80) return 1.0;
  if (std::string_view("ijl.,:;'!| ").find(static_cast<char>(c)) != std::string_view::npos)
    return 0.36;
  if (std::string_view("frtIJ-()[]/\"").find(static_cast<char>(c)) != std::string_view::npos)
    return 0.5;
  if (std::string_view("mwMW@%").find(static_cast<char>(c)) != std::string_view::npos) return 1.02;
  if (c >= 'A' && c <= 'Z') return 0.8;
  return 0.66;
}

}  // namespace

bool Segment::Crosses(const Box& b) const {
  // Clips the segment to the box (Liang-Barsky): what is left crosses it.
  double t0 = 0, t1 = 1;
  const double dx = x1 - x0, dy = y1 - y0;
  const auto clip = [&](double p, double q) {
    if (p == 0) return q >= 0;
    const double t = q / p;
    if (p < 0) {
      if (t > t1) return false;
      t0 = std::max(t0, t);
    } else {
      if (t < t0) return false;
      t1 = std::min(t1, t);
    }
    return true;
  };
  return clip(-dx, x0 - b.x0) && clip(dx, b.x1 - x0) && clip(-dy, y0 - b.y0) &&
         clip(dy, b.y1 - y0) && t0 < t1;
}

double TextWidth(std::string_view text, double size) {
  double ems = 0;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte & 0xC0) == 0x80) continue;  // a continuation byte: counted with its lead
    ems += Advance(byte);
  }
  return ems * size;
}

Box TextBox(double x, double y, double width, double size) {
  return {x, y - 0.98 * size, x + width, y + 0.28 * size};
}

bool LabelLayout::CoversAvoided(const Box& box) const {
  return std::any_of(avoided_.begin(), avoided_.end(),
                     [&](const Segment& s) { return s.Crosses(box); });
}

bool LabelLayout::Free(const Placement& p) const {
  if (!p.box.Inside(bounds_)) return false;
  const Box room = p.box.Grown(1.5);
  const auto covers = [&](const Box& b) { return b.Overlaps(room); };
  if (std::any_of(blocked_.begin(), blocked_.end(), covers) ||
      std::any_of(placed_.begin(), placed_.end(), covers) ||
      std::any_of(leaders_.begin(), leaders_.end(),
                  [&](const Segment& s) { return s.Crosses(room); })) {
    return false;
  }
  // A leader may pass a dot where dots crowd, never a label.
  return !p.leader || std::none_of(placed_.begin(), placed_.end(),
                                   [&](const Box& b) { return p.leader->Crosses(b); });
}

std::optional<Placement> LabelLayout::Place(const std::vector<Placement>& candidates) {
  std::optional<Placement> best;
  double best_cost = 0;
  for (const Placement& p : candidates) {
    if (best && p.cost >= best_cost) continue;
    if (!Free(p)) continue;
    const double cost = p.cost + (CoversAvoided(p.box) ? 1.5 : 0);
    if (!best || cost < best_cost) best = p, best_cost = cost;
  }
  if (best) {
    placed_.push_back(best->box);
    if (best->leader) leaders_.push_back(*best->leader);
  }
  return best;
}

std::vector<std::optional<Placement>> PlaceBest(
    const LabelLayout& layout, const std::vector<std::vector<Placement>>& candidates,
    const std::vector<std::vector<std::size_t>>& orders) {
  std::vector<std::optional<Placement>> best;
  std::size_t best_count = 0;
  double best_cost = 0;
  for (const std::vector<std::size_t>& order : orders) {
    LabelLayout trial = layout;
    std::vector<std::optional<Placement>> placed(candidates.size());
    std::size_t count = 0;
    double cost = 0;
    for (const std::size_t i : order) {
      placed[i] = trial.Place(candidates[i]);
      if (placed[i]) ++count, cost += placed[i]->cost;
    }
    if (best.empty() || count > best_count || (count == best_count && cost < best_cost)) {
      best = std::move(placed), best_count = count, best_cost = cost;
    }
  }
  return best;
}

std::vector<Placement> AroundDot(double x, double y, double r, double width, double size) {
  std::vector<Placement> out;
  const Box shape = TextBox(0, 0, width, size);
  const double h = shape.y1 - shape.y0;
  const auto at = [&](double left, double top, double cost) {
    out.push_back({{left, top, left + width, top + h}, std::nullopt, cost});
  };
  const double gap = r + 2.5;
  at(x + gap, y - h / 2, 0), at(x - gap - width, y - h / 2, 0.1);
  at(x + r, y - r - h, 0.2), at(x + r, y + r, 0.3);
  at(x - r - width, y - r - h, 0.4), at(x - r - width, y + r, 0.5);
  at(x - width / 2, y - gap - h, 0.6), at(x - width / 2, y + gap, 0.7);
  // A column beside a crowd: the box 24 px to either side, up or down by
  // steps of 7 px, the leader to its near side's middle.
  for (int side = -1; side <= 1; side += 2) {
    for (int step = -20; step <= 20; ++step) {
      const double left = side > 0 ? x + 24 : x - 24 - width, top = y - h / 2 + 7 * step;
      const double nx = side > 0 ? left : left + width, ny = top + h / 2;
      const double len = std::hypot(nx - x, ny - y);
      out.push_back({{left, top, left + width, top + h},
                     Segment{x + (nx - x) / len * (r + 1), y + (ny - y) / len * (r + 1), nx, ny},
                     1.2 + std::abs(step) * 0.15});
    }
  }
  // Farther out: the box's nearest side `d` away in direction `a`, and a
  // leader from the dot's edge to the box.
  for (int ring = 1; ring <= 40; ++ring) {
    const double d = r + 8 + 10 * ring;
    for (int k = 0; k < 24; ++k) {
      const double a = k * std::numbers::pi / 12, ux = std::cos(a), uy = std::sin(a);
      const double reach = d + std::abs(ux) * width / 2 + std::abs(uy) * h / 2;
      const double cx = x + ux * reach, cy = y + uy * reach;
      const Box box{cx - width / 2, cy - h / 2, cx + width / 2, cy + h / 2};
      // Above or below the dot the leader meets the box's middle, where the
      // text (centred in it, and narrower) surely stands.
      const double nx = x < box.x0 || x > box.x1
                            ? std::clamp(x, box.x0, box.x1)
                            : std::clamp(x, cx - 0.3 * width, cx + 0.3 * width);
      const double ny = std::clamp(y, box.y0, box.y1);
      out.push_back({box, Segment{x + ux * (r + 1), y + uy * (r + 1), nx, ny}, ring + k * 0.01});
    }
  }
  return out;
}

std::vector<double> Spread(const std::vector<double>& wanted, double gap, double lo, double hi) {
  // Runs of labels that would touch are merged and each run centred on
  // where its labels want to be, within the bounds.
  struct Run {
    std::size_t first, count;
    double sum;  // of the wanted places less each one's offset in the run
    double At(double gap, double lo, double hi) const {
      return std::clamp(sum / static_cast<double>(count), lo,
                        std::max(lo, hi - gap * static_cast<double>(count - 1)));
    }
  };
  std::vector<Run> runs;
  for (std::size_t i = 0; i < wanted.size(); ++i) {
    runs.push_back({i, 1, wanted[i]});
    while (runs.size() > 1) {
      const Run& last = runs.back();
      const Run& before = runs[runs.size() - 2];
      if (before.At(gap, lo, hi) + gap * static_cast<double>(before.count) <=
          last.At(gap, lo, hi)) {
        break;
      }
      // The last run's labels stand `before.count` places further in.
      const Run merged{
          before.first, before.count + last.count,
          before.sum + last.sum - gap * static_cast<double>(before.count * last.count)};
      runs.pop_back(), runs.back() = merged;
    }
  }
  std::vector<double> out;
  for (const Run& run : runs) {
    for (std::size_t k = 0; k < run.count; ++k) {
      out.push_back(run.At(gap, lo, hi) + gap * static_cast<double>(k));
    }
  }
  return out;
}

}  // namespace tarvosa::tool
