// The speed-indicator boards and the text boards. A station's stop cell
// replaces whatever its cell held: a text board there leaves only its text
// in the table, a speed-indicator board its values after the first.
#include <optional>
#include <set>

#include "compiler/messages.h"
#include "decompiler/recovery.h"

namespace tarvosa::decompiler {
namespace {

// The pairs of speeds and stripes that give the stored values back exactly;
// `first_speeds` apart, as a stop cell keeps its own value there.
std::string SpeedBoard(std::int64_t cell, const TrackCell& c, std::int16_t first_speeds) {
  const BoardCell board(c);
  const FieldPair first = BoardSpeedsOf(first_speeds);
  const FieldPair second = BoardSpeedsOf(board.second_speeds);
  const FieldPair third = BoardSpeedsOf(board.third_speeds);
  const FieldPair stripes = BoardStripesOf(board.stripes);
  std::string line = Record("indicatori_vmax", {FeatureProgressive(cell), first.left, second.left,
                                                third.left, stripes.left});
  // The custom of the format: a right speed of 0 is an empty field.
  for (const std::int64_t right : {first.right, second.right, third.right}) {
    line += right == 0 ? ",  " : ",  " + std::to_string(right);
  }
  return line + ",  " + std::to_string(stripes.right);
}

// Values a station's stop cell kept from the board it replaced.
bool Leftover(const TrackCell& c) {
  const BoardCell board(c);
  return board.second_speeds != 0 || board.third_speeds != 0 || board.stripes != 0;
}

// The board in `slot` is at the cell that points to it; one whose cell a
// station took goes to a stop cell no other board uses: same bytes, though
// where it stood is lost.
void TextBoard(const CompiledInput& in, std::int64_t slot, std::set<std::int64_t>& used,
               Recovery& out) {
  std::optional<std::int64_t> cell;
  for (std::size_t c = 0; c < in.cells.size() && !cell; ++c) {
    if (in.cells[c].kind == kTextBoard && TextBoardCell(in.cells[c]).text_entry == slot)
      cell = static_cast<std::int64_t>(c);
  }
  const std::string entry = "entry " + std::to_string(slot);
  if (!cell) {
    for (std::size_t c = 0; c < in.cells.size() && !cell; ++c) {
      const auto index = static_cast<std::int64_t>(c);
      if (in.cells[c].kind == kStationStop && !Leftover(in.cells[c]) && !used.count(index)) {
        cell = index;
      }
    }
    if (!cell) {
      out.Warn(CompiledPart::kTable, entry +
                                         ": no cell holds this text board, and no station's "
                                         "stop cell is left to put it in; left out");
      return;
    }
    out.Warn(CompiledPart::kTrack,
             CellText(*cell) + ": the text board of " + entry +
                 " is in no cell: a station's stop cell took it; it is written here, at a stop "
                 "cell, which gives the same bytes, but where it stood cannot be told");
  }
  used.insert(*cell);
  const auto [text, problem] = TextField(in.header[static_cast<std::size_t>(slot)].name);
  if (!problem.empty()) out.Warn(CompiledPart::kTable, entry + ": the board text: " + problem);
  out.text_boards.push_back(Record("cartello_indicatore", {FeatureProgressive(*cell)}) + ",   " +
                            text);
}

// The boards fill the table from entry 80 down: as many as the lowest entry
// that a cell points to or that holds a text.
std::int64_t LowestSlot(const CompiledInput& in) {
  std::int64_t lowest = kFirstBoardSlot + 1;
  for (const TrackCell& c : in.cells) {
    if (c.kind != kTextBoard) continue;
    const std::int64_t entry = TextBoardCell(c).text_entry;
    if (entry > 0 && entry <= kFirstBoardSlot) lowest = std::min(lowest, entry);
  }
  for (std::int64_t slot = kFirstBoardSlot; slot > 0; --slot) {
    const ScenarioEntry& e = in.header[static_cast<std::size_t>(slot)];
    if (e.name.empty()) break;
    if (e.kind == 0 && e.position == 0 && e.start == 0 && e.end == 0)
      lowest = std::min(lowest, slot);
  }
  return lowest;
}

}  // namespace

void RecoverBoards(const CompiledInput& in, Recovery& out) {
  std::set<std::int64_t> used;
  for (std::size_t c = 0; c < in.cells.size(); ++c) {
    const TrackCell& cell = in.cells[c];
    const auto index = static_cast<std::int64_t>(c);
    // Cell 1's first value holds the compiler's marker, never a feature's.
    const std::int16_t first_speeds = c == 1 ? 0 : BoardCell(cell).first_speeds;
    if (cell.kind == kSpeedBoard) {
      out.speed_boards.push_back(SpeedBoard(index, cell, first_speeds));
    }
    if (cell.kind == kStationStop && Leftover(cell) && cell.signal_time == 0) {
      out.speed_boards.push_back(SpeedBoard(index, cell, 0));
      used.insert(index);
      out.Warn(CompiledPart::kTrack,
               CellText(index) +
                   ": the station's stop cell keeps values of a feature it replaced; written as "
                   "a speed-indicator board there, which gives the same bytes, though what the "
                   "feature was cannot be told");
    }
  }
  for (std::int64_t slot = kFirstBoardSlot; slot >= LowestSlot(in); --slot) {
    TextBoard(in, slot, used, out);
  }
}

}  // namespace tarvosa::decompiler
