#include "compiler/record_reader.h"

#include "compiler/messages.h"

namespace tarvosa {

std::int32_t RecordReader::ReadProgressive(std::string_view what) {
  const std::int32_t progressive = in.ReadInt32(what);
  d.record = Here();
  return progressive;
}

void RecordReader::Tell(RecordKind kind, std::int64_t progressive, std::int64_t length) {
  if (d.observer() != nullptr) d.observer()->RecordRead(scratch.keyword, kind, progressive, length);
}

bool RecordReader::InRange(std::int32_t progressive, std::int64_t reach, std::string_view what) {
  if (cells().empty()) {
    throw RuntimeFailure("no 'lunghezza percorso' record before the features",
                         scratch.keyword.offset);
  }
  if (std::int64_t{progressive} + reach <= 50 * LastCell(cells())) return true;
  d.Record(DataError::kOutsideTheTrack, d.record, BeyondTheEndText(what, progressive, reach, out),
           progressive);
  return false;
}

}  // namespace tarvosa
