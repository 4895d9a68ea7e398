#include "compiler/references.h"

#include <algorithm>
#include <array>
#include <string>

namespace tarvosa {
namespace {

struct Reference {
  std::int32_t start, end, position;
  int keyword;  // 1 uno, 2 due, 3 tre: the lower one wins a tie
};

Reference ReferenceOf(const ScenarioEntry& entry, int keyword) {
  return {entry.start, entry.end, entry.position, keyword};
}

void Store(ScenarioEntry& entry, const Reference& reference) {
  entry.start = reference.start;
  entry.end = reference.end;
  entry.position = reference.position;
}

// Orders by start; `references` holds tre, due, uno.
std::array<Reference, 3> OrderByStart(std::array<Reference, 3> r) {
  std::sort(r.begin(), r.end(), [](const Reference& a, const Reference& b) {
    return a.start != b.start ? a.start > b.start : a.keyword < b.keyword;
  });
  if (r[0].start == r[1].start) return {};  // no strictly greatest start
  return r;
}

std::array<Reference, 3> OrderByEnd(const Reference& tre, const Reference& due,
                                    const Reference& uno) {
  if (uno.end > 0) return {uno, due, tre};
  if (due.end > 0) return {due, tre, uno};
  if (tre.end > 0) return {tre, due, uno};
  return {};
}

}  // namespace

Status progressive_ordina(ScenarioHeader& h) {
  const Reference tre = ReferenceOf(h[kReferenceTre], 3);
  const Reference due = ReferenceOf(h[kReferenceDue], 2);
  const Reference uno = ReferenceOf(h[kReferenceUno], 1);
  const std::int64_t sum = std::int64_t{tre.start} + due.start + uno.start;
  const auto ordered = sum != 0 ? OrderByStart({tre, due, uno}) : OrderByEnd(tre, due, uno);
  for (std::size_t i = 0; i < 3; ++i) {
    ScenarioEntry& entry = h[kReferenceTre + i];
    Store(entry, ordered[i]);
    if (entry.position == 1) {
      if (entry.end > INT32_MAX - 100) {
        return Status::DataError("a kilometre reference's end, " + std::to_string(entry.end) +
                                 ", plus 100 does not fit a signed 32-bit number");
      }
      entry.end += 100;
    }
  }
  return Status();
}

}  // namespace tarvosa
