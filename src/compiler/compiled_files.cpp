#include "compiler/compiled_files.h"

#include <algorithm>

#include "compiler/stored_format.h"
#include "util/coding.h"

namespace tarvosa {
namespace {

void PutTrackCell(std::string& out, const TrackCell& cell) {
  PutFixed8(out, cell.kind);
  PutInt16(out, cell.value_a);
  PutInt16(out, cell.value_b);
  PutInt16(out, cell.value_c);
  PutInt16(out, cell.value_d);
  PutFixed8(out, cell.signal_time);
  PutFixed8(out, cell.approach_code);
  PutFixed8(out, cell.montagna_kind);
  PutFixed8(out, cell.speed_limit);
  PutFixed8(out, cell.gradient);
  PutFixed8(out, cell.adhesion);
}

void PutScenarioEntry(std::string& out, const ScenarioEntry& entry) {
  PutFixed8(out, entry.kind);
  PutInt32(out, entry.start);
  PutInt32(out, entry.end);
  PutInt32(out, entry.position);
  PutFixed8(out, entry.flag_a);
  // The readers never store a name longer than a 16-bit length can tell.
  const std::size_t length = std::min(entry.name.size(), kLongestName);
  PutFixed16(out, static_cast<std::uint16_t>(length));
  out.append(entry.name, 0, length);
  PutInt16(out, entry.word_a);
  PutInt16(out, entry.word_b);
  PutInt16(out, entry.word_c);
  PutInt16(out, entry.word_d);
  PutInt16(out, entry.word_e);
  PutFixed8(out, entry.byte_a);
  PutFixed8(out, entry.byte_b);
  PutFixed8(out, entry.byte_c);
  PutFixed8(out, entry.byte_d);
  PutInt32(out, entry.time);
}

constexpr std::size_t kIntegerElement = 4;
constexpr std::size_t kDoubleElement = 10;
constexpr std::size_t kEmptyElement = 2;
constexpr std::size_t kRowsAPiece = 8192;

// Rows `first` to `last` of one column into `out`, which has room for them;
// `origin` holds the integer rows 0 and 1. Returns the end of what was
// written.
char* EncodePlanRows(char* out, const LineData& plan, const std::vector<double>& computed,
                     const std::int16_t (&origin)[2], std::int64_t first, std::int64_t last) {
  std::int64_t row = first;
  for (; row <= last && row < 2; ++row) {
    if (plan.origin_set) {
      EncodeFixed16(out, kPlanInteger);
      EncodeFixed16(out + 2, static_cast<std::uint16_t>(origin[row]));
      out += kIntegerElement;
    } else {
      EncodeFixed16(out, kPlanEmpty);
      out += kEmptyElement;
    }
  }
  const std::int64_t last_computed = std::min(last, plan.next_row() - 1);
  for (; row <= last_computed; ++row) {
    EncodeFixed16(out, kPlanReal);
    EncodeDouble(out + 2, computed[static_cast<std::size_t>(row - 2)]);
    out += kDoubleElement;
  }
  for (; row <= last; ++row) {
    EncodeFixed16(out, kPlanEmpty);
    out += kEmptyElement;
  }
  return out;
}

void WritePlanColumn(ByteSink& sink, const LineData& plan, const std::vector<double>& computed,
                     const std::int16_t (&origin)[2]) {
  std::string piece(kRowsAPiece * kDoubleElement, '\0');
  for (std::int64_t first = 0; first <= plan.last_row; first += kRowsAPiece) {
    const std::int64_t last = std::min<std::int64_t>(plan.last_row, first + kRowsAPiece - 1);
    const char* end = EncodePlanRows(piece.data(), plan, computed, origin, first, last);
    sink.Append(std::string_view(piece.data(), static_cast<std::size_t>(end - piece.data())));
  }
}

}  // namespace

std::string EncodeTrackCells(const std::vector<TrackCell>& cells) {
  std::string out;
  out.reserve(cells.size() * kTrackCellBytes);
  for (const TrackCell& cell : cells) PutTrackCell(out, cell);
  return out;
}

std::string EncodeScenarioHeader(const ScenarioHeader& header) {
  std::string out;
  for (const ScenarioEntry& entry : header) PutScenarioEntry(out, entry);
  return out;
}

std::string EncodeLineData(const LineData& plan) {
  StringSink sink;
  WriteLineData(plan, sink);
  return std::move(sink.out);
}

void WriteLineData(const LineData& plan, ByteSink& sink) {
  WritePlanColumn(sink, plan, plan.x, {0, 0});
  WritePlanColumn(sink, plan, plan.y, {0, 1});
}

namespace {

// Reads fixed-width members from the front of `bytes`, failing once short.
class Reader {
 public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}
  bool ok() const { return ok_; }
  bool done() const { return ok_ && at_ == bytes_.size(); }
  const char* Take(std::size_t count) {
    if (!ok_ || bytes_.size() - at_ < count) {
      ok_ = false;
      return nullptr;
    }
    const char* piece = bytes_.data() + at_;
    at_ += count;
    return piece;
  }
  std::uint8_t U8() {
    const char* p = Take(1);
    return p ? static_cast<std::uint8_t>(*p) : 0;
  }
  std::uint16_t U16() {
    const char* p = Take(2);
    return p ? DecodeFixed16(p) : 0;
  }
  std::int16_t I16() { return static_cast<std::int16_t>(U16()); }
  std::int32_t I32() {
    const char* p = Take(4);
    return p ? static_cast<std::int32_t>(DecodeFixed32(p)) : 0;
  }

 private:
  std::string_view bytes_;
  std::size_t at_ = 0;
  bool ok_ = true;
};

}  // namespace

std::optional<std::vector<TrackCell>> DecodeTrackCells(std::string_view bytes) {
  if (bytes.empty() || bytes.size() % kTrackCellBytes != 0 ||
      bytes.size() / kTrackCellBytes > kMostTrackCells) {
    return std::nullopt;
  }
  std::vector<TrackCell> cells(bytes.size() / kTrackCellBytes);
  Reader in(bytes);
  for (TrackCell& c : cells) {
    c.kind = in.U8();
    c.value_a = in.I16(), c.value_b = in.I16(), c.value_c = in.I16(), c.value_d = in.I16();
    c.signal_time = in.U8(), c.approach_code = in.U8(), c.montagna_kind = in.U8();
    c.speed_limit = in.U8(), c.gradient = in.U8(), c.adhesion = in.U8();
  }
  return cells;
}

namespace {

void ReadEntry(Reader& in, ScenarioEntry& e) {
  e.kind = in.U8();
  e.start = in.I32(), e.end = in.I32(), e.position = in.I32();
  e.flag_a = in.U8();
  const std::uint16_t length = in.U16();
  if (const char* name = in.Take(length)) e.name.assign(name, length);
  e.word_a = in.I16(), e.word_b = in.I16(), e.word_c = in.I16(), e.word_d = in.I16();
  e.word_e = in.I16();
  e.byte_a = in.U8(), e.byte_b = in.U8(), e.byte_c = in.U8(), e.byte_d = in.U8();
  e.time = in.I32();
}

}  // namespace

std::optional<ScenarioHeader> DecodeScenarioHeader(std::string_view bytes) {
  ScenarioHeader header{};
  Reader in(bytes);
  for (ScenarioEntry& e : header) ReadEntry(in, e);
  if (!in.done()) return std::nullopt;
  return header;
}

std::size_t ScenarioEntrySize(std::string_view head) {
  return kScenarioEntryFixedBytes + DecodeFixed16(head.data() + kEntryHeadBytes - 2);
}

std::optional<ScenarioEntry> DecodeScenarioEntry(std::string_view bytes) {
  ScenarioEntry entry;
  Reader in(bytes);
  ReadEntry(in, entry);
  if (!in.done()) return std::nullopt;
  return entry;
}

namespace {

// The size of the element at the front of `bytes`; 0 when there is none.
std::size_t ElementSize(std::string_view bytes) {
  if (bytes.size() < 2) return 0;
  const std::uint16_t tag = DecodeFixed16(bytes.data());
  const std::size_t size = tag == kPlanEmpty     ? kEmptyElement
                           : tag == kPlanInteger ? kIntegerElement
                           : tag == kPlanReal    ? kDoubleElement
                                                 : 0;
  return size <= bytes.size() ? size : 0;
}

PlanElement DecodeElement(const char* p) {
  const std::uint16_t tag = DecodeFixed16(p);
  if (tag == kPlanInteger) {
    return {tag, static_cast<double>(static_cast<std::int16_t>(DecodeFixed16(p + 2)))};
  }
  if (tag == kPlanReal) return {tag, DecodeDouble(p + 2)};
  return {tag, 0};
}

// Decodes `rows` elements, which parse, from `at` into `column`; returns
// where they end.
std::string_view DecodeColumn(std::string_view at, std::size_t rows,
                              std::vector<PlanElement>& column) {
  column.reserve(rows);
  for (std::size_t row = 0; row < rows; ++row) {
    column.push_back(DecodeElement(at.data()));
    at.remove_prefix(ElementSize(at));
  }
  return at;
}

}  // namespace

std::optional<std::size_t> CountPlanRows(std::string_view bytes) {
  std::size_t elements = 0;
  while (!bytes.empty()) {
    const std::size_t size = ElementSize(bytes);
    if (size == 0) return std::nullopt;
    bytes.remove_prefix(size);
    ++elements;
  }
  if (elements < 2 || elements % 2 != 0) return std::nullopt;
  return elements / 2;
}

// The rows are counted first, so that a plan too large for any line is
// refused before anything is allocated, and the columns are allocated once.
std::optional<DecodedPlan> DecodeLineData(std::string_view bytes) {
  const std::optional<std::size_t> rows = CountPlanRows(bytes);
  if (!rows || *rows > kMostPlanRows) return std::nullopt;
  DecodedPlan plan;
  DecodeColumn(DecodeColumn(bytes, *rows, plan.first), *rows, plan.second);
  return plan;
}

std::string TrackSizeMismatch(std::size_t cells, std::int64_t length) {
  const std::int64_t expected = LastCellFor(length) + 1;
  if (static_cast<std::int64_t>(cells) == expected) return "";
  return "the track has " + std::to_string(cells) + " cells, but the table's line length of " +
         std::to_string(length) + " m (entry 84) gives " + std::to_string(expected);
}

std::string PlanSizeMismatch(std::size_t rows, std::int64_t length) {
  const std::int64_t expected = PlanLastRowFor(length) + 1;
  if (static_cast<std::int64_t>(rows) == expected) return "";
  return "the plan has " + std::to_string(rows) + " rows, but the table's line length of " +
         std::to_string(length) + " m gives " + std::to_string(expected);
}

}  // namespace tarvosa
