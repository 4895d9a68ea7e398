// The tunnel spans: a run of cells of one type is one span, with markers
// when a fourth cell of it holds one.
#include "compiler/messages.h"
#include "decompiler/recovery.h"

namespace tarvosa::decompiler {
namespace {

// Whether a span has markers, as far as its cells have told.
enum class Markers { kUnknown, kOn, kOff };

struct Span {
  std::int64_t first = 0, last = 0;  // cells
  std::uint8_t type = 0;
  Markers markers = Markers::kUnknown;

  std::int64_t inizio() const { return ProfileProgressive(first); }
  std::int64_t fine() const { return ProfileProgressive(last + 1); }
};

// A marker where the span's markers cannot be, or none where they must be,
// begins another span of the same type: two spans that touch or overlap
// leave one run of cells, but their markers keep each one's count.
void Split(std::vector<Span>& spans, std::int64_t first, std::int64_t c, Markers markers) {
  spans.back().last = first - 1;
  spans.push_back({first, c, spans.back().type, markers});
}

void Extend(std::vector<Span>& spans, std::int64_t c, std::uint8_t kind) {
  Span& span = spans.back();
  const bool fourth = IsSpanMarkerCell(span.first, c);
  if (kind == kTunnelMarker && (!fourth || span.markers == Markers::kOff)) {
    // The marker is the fourth cell of a span three cells before it.
    if (c - 3 > span.first) return Split(spans, c - 3, c, Markers::kOn);
  } else if (fourth && kind == kTunnelMarker) {
    span.markers = Markers::kOn;
  } else if (fourth && kind == kFree) {
    if (span.markers == Markers::kOn) return Split(spans, c, c, Markers::kUnknown);
    span.markers = Markers::kOff;
  }
  span.last = c;
}

std::vector<Span> Runs(const std::vector<TrackCell>& cells) {
  std::vector<Span> spans;
  for (std::size_t c = 0; c < cells.size(); ++c) {
    const std::uint8_t type = cells[c].montagna_kind;
    const auto index = static_cast<std::int64_t>(c);
    if (type == 0) continue;
    if (spans.empty() || spans.back().type != type || spans.back().last != index - 1) {
      spans.push_back({index, index - 1, type});
    }
    Extend(spans, index, cells[c].kind);
  }
  return spans;
}

// The type as written: above 10 asks for markers, so a type above 10
// without them is written as a number that wraps to it.
std::int64_t Tipo(const Span& span, Recovery& out) {
  if (span.markers == Markers::kOn) return WrittenSpanType(span.type, true);
  if (!SpanTypeOf(span.type).markers) return span.type;
  out.Warn(CompiledPart::kTrack, CellText(span.first) + ": a span type of " +
                                     std::to_string(span.type) + " without markers is written as " +
                                     std::to_string(span.type - 256) + ", which wraps to it");
  return std::int64_t{span.type} - 256;
}

}  // namespace

// A span beginning at most 150 m after the one before it in the file gets
// type 3: where that would give a span a type it does not have, an empty
// span (it covers no cell, and ends at 0) goes before it.
void RecoverSpans(const CompiledInput& in, Recovery& out) {
  std::int64_t previous_fine = 0, written = 0;
  for (const Span& span : Runs(in.cells)) {
    if (span.inizio() + 100 > 50 * in.last_cell()) {
      out.Warn(CompiledPart::kTrack, CellText(span.first) +
                                         ": a tunnel span this near the end of the track cannot "
                                         "be written; left out");
      continue;
    }
    // A span written with type 3 has it wherever it stands.
    if (written > 0 && SpanFollowsClosely(span.inizio(), previous_fine) &&
        span.type != kCloseSpanType) {
      if (span.inizio() <= 150) {
        out.Warn(CompiledPart::kTrack, CellText(span.first) + ": the tunnel span's type " +
                                           std::to_string(span.type) +
                                           " cannot be kept this near the origin");
      }
      out.spans.push_back(Record("montagna", {0, 0, 0}));
      out.Warn(CompiledPart::kTrack,
               CellText(span.first) +
                   ": an empty tunnel span is written before the span here, so that it keeps its "
                   "type " +
                   std::to_string(span.type) + " rather than take 3 from the span before");
      ++written;
    }
    out.spans.push_back(Record("montagna", {span.inizio(), span.fine(), Tipo(span, out)}));
    previous_fine = span.fine();
    ++written;
  }
  if (written > kMaxTunnelSpans) {
    out.Warn(CompiledPart::kTrack, "the cells hold " + std::to_string(written) +
                                       " tunnel spans, more than the 80 a line file may have");
  }
}

}  // namespace tarvosa::decompiler
