// The gradient, line-speed and adhesion records, one at every cell where the
// profile changes.
#include "compiler/messages.h"
#include "decompiler/recovery.h"

namespace tarvosa::decompiler {
namespace {

struct Profile {
  const char* keyword;
  const char* what;
  std::uint8_t TrackCell::*member;
  std::int64_t (*value)(std::uint8_t stored);  // what a record writes for the stored byte
};

constexpr Profile kGradient = {"pendenza", "gradient", &TrackCell::gradient, GradientPerMille};
constexpr Profile kSpeed = {"velocita", "line speed", &TrackCell::speed_limit, LineSpeedKmh};
constexpr Profile kAdhesion = {"aderenza", "adhesion", &TrackCell::adhesion,
                               [](std::uint8_t b) { return std::int64_t{b}; }};

// A record at 0 and one at each change up to cell U - 3, which the last
// record fills to. Cells U - 2 to U are filled only when the fill's cursor
// gets there: by a record in cell U - 2, the last cell a record may stand
// in, and then by records out of order, each of which fills one cell more.
std::vector<std::string> Records(const std::vector<TrackCell>& cells, const Profile& p,
                                 Recovery& out) {
  const auto byte = [&](std::int64_t c) { return cells[static_cast<std::size_t>(c)].*p.member; };
  const std::int64_t last = static_cast<std::int64_t>(cells.size()) - 1;
  std::vector<std::string> records = {Record(p.keyword, {0, p.value(byte(0))})};
  if (last < 3) return records;  // no line: the comparison tells what differs
  for (std::int64_t c = 1; c <= last - 3; ++c) {
    if (byte(c) != byte(c - 1)) {
      records.push_back(Record(p.keyword, {ProfileProgressive(c), p.value(byte(c))}));
    }
  }
  std::int64_t filled_to = last - 3;
  for (std::int64_t c = last; c > last - 3 && c >= 0; --c) {
    if (byte(c) != 0) filled_to = c;
    if (filled_to == c) break;
  }
  const std::int64_t tail = last - 2;
  for (std::int64_t c = tail; c <= filled_to; ++c) {
    records.push_back(Record(p.keyword, {ProfileProgressive(tail), p.value(byte(c))}));
  }
  if (filled_to > tail) {
    out.Warn(CompiledPart::kTrack,
             CellText(tail + 1) + ": the " + p.what +
                 " runs on past the cell where the last record may stand: written with records "
                 "out of order in " +
                 CellText(tail) + ", as only they fill it");
  }
  return records;
}

}  // namespace

void RecoverProfiles(const CompiledInput& in, Recovery& out) {
  out.gradients = Records(in.cells, kGradient, out);
  out.speeds = Records(in.cells, kSpeed, out);
  out.adhesion = Records(in.cells, kAdhesion, out);
}

}  // namespace tarvosa::decompiler
