// The general part of the line file and the train's general records, from
// the scenario table.
#include <array>

#include "compiler/references.h"
#include "compiler/stored_views.h"
#include "decompiler/recovery.h"

namespace tarvosa::decompiler {
namespace {

struct Reference {
  std::int64_t start = 0, end = 0, position = 0;
};

// The reference as read: an entry whose position is 1 had 100 added to its
// end once the references were put in order.
Reference AsRead(const ScenarioEntry& stored) {
  const std::int64_t added = stored.position == 1 ? 100 : 0;
  return {stored.start, std::int64_t{stored.end} - added, stored.position};
}

bool Fits32(std::int64_t value) {
  return value >= INT32_MIN && value <= INT32_MAX;
}

// Whether the references `uno`, `due`, `tre` are put in order as the table
// holds them.
bool OrdersAsStored(const ScenarioHeader& stored, const std::array<Reference, 3>& read) {
  ScenarioHeader header{};
  const std::size_t entries[] = {kReferenceUno, kReferenceDue, kReferenceTre};
  for (std::size_t i = 0; i < 3; ++i) {
    if (!Fits32(read[i].end)) return false;
    ScenarioEntry& entry = header[entries[i]];
    entry.start = static_cast<std::int32_t>(read[i].start);
    entry.end = static_cast<std::int32_t>(read[i].end);
    entry.position = static_cast<std::int32_t>(read[i].position);
  }
  if (!progressive_ordina(header).ok()) return false;  // an end that cannot take the 100 added
  for (std::size_t e = kReferenceTre; e <= kReferenceUno; ++e) {
    if (header[e].start != stored[e].start || header[e].end != stored[e].end ||
        header[e].position != stored[e].position) {
      return false;
    }
  }
  return true;
}

// The three references as the line file gives them (uno, due, tre). Put in
// order, entry 81 holds the reference that comes first and 83 the last, so
// read as uno, due and tre in that order they are put back where they
// stand, whatever order the file had them in; entries that no references
// are put in are written as stored.
void References(const ScenarioHeader& h, Recovery& out) {
  std::array<Reference, 3> chosen = {AsRead(h[kReferenceTre]), AsRead(h[kReferenceDue]),
                                     AsRead(h[kReferenceUno])};
  if (!OrdersAsStored(h, chosen)) {
    out.Warn(CompiledPart::kTable,
             "entries 81 to 83: no three kilometre references are put in this order; written "
             "as stored");
    chosen = {AsRead(h[kReferenceUno]), AsRead(h[kReferenceDue]), AsRead(h[kReferenceTre])};
  }
  const char* names[] = {"uno", "due", "tre"};
  for (std::size_t i = 0; i < 3; ++i) {
    out.line_general.push_back(Record(std::string("progressiva chilometrica ") + names[i],
                                      {chosen[i].start, chosen[i].end, chosen[i].position}));
  }
}

void Repetition(const TrainEntry<const ScenarioEntry>& train, Recovery& out) {
  const std::int64_t codes = train.repetition_codes, end = train.repetition_end;
  const bool off = end == 0;
  if ((off && codes != 0) || (!off && codes != 4 && codes != 9)) {
    out.Warn(CompiledPart::kTable,
             "entry 86: a signal repetition of " + std::to_string(codes) + " codes ending at " +
                 std::to_string(end) +
                 " cannot be written (4 or 9 codes, or 0 when it ends at 0): written with 4");
  }
  if (train.repetition_start % 50 != 0 || end % 50 != 0) {
    out.Warn(CompiledPart::kTable,
             "entry 86: the signal repetition's progressives are not multiples of 50: the "
             "scenario was compiled with a data error, and the texts compile with it too");
  }
  const std::string keyword =
      codes == 9 ? "ripetizione segnali 9 codici" : "ripetizione segnali 4 codici";
  out.line_general.push_back(Record(keyword, {train.repetition_start, end}));
}

}  // namespace

void RecoverGeneralSettings(const CompiledInput& in, Recovery& out) {
  const ScenarioHeader& h = in.header;
  const NumbersEntry numbers(h[kNumbersEntry]);
  const RouteEntry route(h[kRouteEntry]);
  const TrainEntry train(h[kTrainEntry]);
  out.line_general.push_back(Record("lunghezza percorso", {numbers.line_length}));
  References(h, out);
  out.line_general.push_back(Record("sfondo uno", {route.background_1}));
  out.line_general.push_back(Record("sfondo due", {route.background_2}));
  out.line_general.push_back(Record("sfondo tre", {route.background_3}));
  Repetition(train, out);

  out.train_general.push_back(Record("numero vetture", {numbers.coaches}));
  out.train_general.push_back(Record("percentuale massa frenata", {numbers.braked_weight_percent}));
  out.train_general.push_back(Record("sabbia", {train.sand}));
  out.train_general.push_back(
      Record("orologio", {train.clock_hours, train.clock_minutes, train.clock_seconds}));
}

}  // namespace tarvosa::decompiler
