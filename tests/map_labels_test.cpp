// The map's label layout: labels spread along a row keep their order and
// distance, a placed label is never covered, and leaders never cross one.
#include "tool/presenters/map_labels.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tarvosa::tool {
namespace {

TEST(Spread, LabelsWithRoomStayWhereTheyWant) {
  EXPECT_EQ(Spread({10, 40, 90}, 15, 0, 100), (std::vector<double>{10, 40, 90}));
}

TEST(Spread, CrowdedLabelsMoveApartAroundTheirWishesInOrder) {
  const std::vector<double> at = Spread({50, 50, 50}, 10, 0, 100);
  EXPECT_EQ(at, (std::vector<double>{40, 50, 60}));
  // A run pushed against a bound stays inside it, still `gap` apart.
  EXPECT_EQ(Spread({98, 99, 100}, 10, 0, 100), (std::vector<double>{80, 90, 100}));
  EXPECT_EQ(Spread({0, 1, 30, 31}, 10, 0, 100), (std::vector<double>{0, 10, 25.5, 35.5}));
}

TEST(Segment, CrossesABoxOnlyWhereItPassesThroughIt) {
  const Box box{10, 10, 20, 20};
  EXPECT_TRUE((Segment{0, 15, 30, 15}.Crosses(box)));
  EXPECT_TRUE((Segment{0, 0, 30, 30}.Crosses(box)));
  EXPECT_FALSE((Segment{0, 0, 30, 5}.Crosses(box)));
  EXPECT_FALSE((Segment{0, 25, 9, 11}.Crosses(box)));
}

TEST(TextWidth, CountsCharactersNotBytesAndWideLettersMore) {
  EXPECT_GT(TextWidth("MW", 10), TextWidth("il", 10));
  EXPECT_DOUBLE_EQ(TextWidth("\xC3\xA0", 10), TextWidth("\xE2\x82\xAC", 10));
  EXPECT_DOUBLE_EQ(TextWidth("", 10), 0);
}

TEST(LabelLayout, TakesTheCheapestFreePlaceAndNeverCoversWhatIsPlaced) {
  LabelLayout layout({0, 0, 100, 100});
  layout.Block({40, 40, 60, 60});
  const Placement over_block{{45, 45, 55, 55}, std::nullopt, 0};
  const Placement free{{0, 0, 20, 10}, std::nullopt, 1};
  const Placement outside{{95, 95, 120, 110}, std::nullopt, 0};
  const auto first = layout.Place({over_block, outside, free});
  ASSERT_TRUE(first);
  EXPECT_EQ(first->box.x1, 20);
  EXPECT_FALSE(layout.Place({free}));
  // A leader across the placed label is refused too.
  const Placement led{{0, 80, 20, 90}, Segment{10, 0, 10, 80}, 0};
  EXPECT_FALSE(layout.Place({led}));
}

TEST(LabelLayout, DotsInACrowdAreMostlyLabelledAndNoTwoLabelsOverlap) {
  LabelLayout layout({0, 0, 400, 300});
  std::vector<std::vector<Placement>> candidates;
  for (int i = 0; i < 12; ++i) candidates.push_back(AroundDot(200, 100 + 4 * i, 3.5, 80, 10));
  std::vector<std::size_t> order(candidates.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  const auto placed = PlaceBest(layout, candidates, {order});
  // Taken in one order, the labels beside the first dots wall in the
  // leaders of some others: three in four find a place.
  EXPECT_GE(
      std::count_if(placed.begin(), placed.end(), [](const auto& p) { return p.has_value(); }), 9);
  for (std::size_t a = 0; a < placed.size(); ++a) {
    for (std::size_t b = a + 1; b < placed.size(); ++b) {
      if (placed[a] && placed[b]) {
        EXPECT_FALSE(placed[a]->box.Overlaps(placed[b]->box)) << a << " " << b;
      }
    }
  }
}

}  // namespace
}  // namespace tarvosa::tool
