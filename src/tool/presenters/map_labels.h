// Labels on the map laid out so that no two texts overlap and none covers
// a dot: each label takes the cheapest of its candidate places that is
// free, joined to its mark by a leader line when it stands away from it.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace tarvosa::tool {

struct Box {
  double x0, y0, x1, y1;
  bool Overlaps(const Box& b) const { return x0 < b.x1 && b.x0 < x1 && y0 < b.y1 && b.y0 < y1; }
  Box Grown(double by) const { return {x0 - by, y0 - by, x1 + by, y1 + by}; }
  bool Inside(const Box& b) const { return x0 >= b.x0 && y0 >= b.y0 && x1 <= b.x1 && y1 <= b.y1; }
};

struct Segment {
  double x0, y0, x1, y1;
  bool Crosses(const Box& b) const;
};

// The width of `text` (UTF-8) drawn at `size` px, at least what the wide
// sans-serif fonts draw: generous widths by kind of letter.
double TextWidth(std::string_view text, double size);

// The box a text of `width` at `size` px takes with its baseline at `y`
// and starting at `x`.
Box TextBox(double x, double y, double width, double size);

struct Placement {
  Box box;
  std::optional<Segment> leader;
  double cost = 0;
};

class LabelLayout {
 public:
  explicit LabelLayout(Box bounds) : bounds_(bounds) {}

  // What no label may cover: a dot, a mark, another text.
  void Block(const Box& box) { blocked_.push_back(box); }
  // What labels should rather not cover (the track): a cost, not a bar.
  void Avoid(const Segment& line) { avoided_.push_back(line); }

  // The cheapest free one of `candidates`, then taken; none when every one
  // leaves the bounds, covers what is blocked or placed, or would lead
  // across a label.
  std::optional<Placement> Place(const std::vector<Placement>& candidates);

 private:
  bool Free(const Placement& p) const;
  bool CoversAvoided(const Box& box) const;

  Box bounds_;
  std::vector<Box> blocked_;
  std::vector<Box> placed_;
  std::vector<Segment> leaders_;
  std::vector<Segment> avoided_;
};

// Each label's placement from `candidates`, taken in each of `orders` in
// turn: the outcome that places the most labels, then the cheapest.
std::vector<std::optional<Placement>> PlaceBest(
    const LabelLayout& layout, const std::vector<std::vector<Placement>>& candidates,
    const std::vector<std::vector<std::size_t>>& orders);

// Candidates around a dot of radius `r` at (x, y) for a label of `width`
// at `size` px: beside it first, then farther out in every direction with
// a leader line.
std::vector<Placement> AroundDot(double x, double y, double r, double width, double size);

// Places along one axis for labels that want to stand at `wanted` (in
// order), at least `gap` apart and within `lo` to `hi`, each as near its
// wish as the others let it.
std::vector<double> Spread(const std::vector<double>& wanted, double gap, double lo, double hi);

}  // namespace tarvosa::tool
