// The slow-down order against the train's slow-downs, restriction by
// restriction in the order both list them.
#include <charconv>

#include "documents/document_check.h"
#include "documents/document_reading.h"

namespace tarvosa {
namespace {

// A restriction begins after the kilometre post written: within the
// kilometre that follows it.
constexpr std::int32_t kPostSpacing = 1000;

std::optional<int> Speed(const std::string& text) {
  int speed = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), speed);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return speed;
}

std::string Numbered(const OrderRestriction& restriction, std::size_t index) {
  return "restriction " +
         (restriction.number.text.empty() ? std::to_string(index + 1) : restriction.number.text);
}

std::string DataSlowDown(const SlowDownFact& slow_down) {
  return std::to_string(slow_down.start) + " m, " + std::to_string(slow_down.speed) + " km/h";
}

void Compare(const OrderRestriction& restriction, std::size_t index, const SlowDownFact& slow_down,
             std::vector<DocumentFinding>& findings) {
  const std::string name = Numbered(restriction, index);
  const auto post = Metres(restriction.post.text);
  if (!post || slow_down.start < *post || slow_down.start >= *post + kPostSpacing) {
    findings.push_back({restriction.post.line, restriction.post.column,
                        name + " begins after the kilometre post " + restriction.post.text +
                            " on the order, at " + std::to_string(slow_down.start) +
                            " m in the train data"});
  }
  if (Speed(restriction.speed.text) != slow_down.speed) {
    findings.push_back({restriction.speed.line, restriction.speed.column,
                        name + " is " + restriction.speed.text + " km/h on the order, " +
                            std::to_string(slow_down.speed) + " km/h in the train data"});
  }
}

}  // namespace

std::vector<DocumentFinding> CheckSlowDownOrder(const DocumentLines& order,
                                                const RouteFacts& facts) {
  const OrderFacts read = ReadOrder(order);
  const std::vector<OrderRestriction>& restrictions = read.restrictions;
  const std::vector<SlowDownFact>& slow_downs = facts.slow_downs;
  std::vector<DocumentFinding> findings;
  for (std::size_t i = 0; i < restrictions.size() && i < slow_downs.size(); ++i) {
    Compare(restrictions[i], i, slow_downs[i], findings);
  }
  for (std::size_t i = slow_downs.size(); i < restrictions.size(); ++i) {
    const WrittenValue& at =
        restrictions[i].number.text.empty() ? restrictions[i].post : restrictions[i].number;
    findings.push_back({at.line, at.column,
                        Numbered(restrictions[i], i) + " (after the kilometre post " +
                            restrictions[i].post.text + ", " + restrictions[i].speed.text +
                            " km/h) is no slow-down of the train data"});
  }
  const std::size_t line =
      restrictions.empty() ? read.first_row.value_or(1) : restrictions.back().speed.line + 1;
  for (std::size_t i = restrictions.size(); i < slow_downs.size(); ++i) {
    findings.push_back({line, 1,
                        "the order lacks the train data's slow-down " + std::to_string(i + 1) +
                            " (" + DataSlowDown(slow_downs[i]) + ")"});
  }
  return findings;
}

}  // namespace tarvosa
