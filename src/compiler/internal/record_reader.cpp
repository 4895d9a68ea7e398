#include "compiler/internal/record_reader.h"

#include "compiler/internal/arithmetic.h"
#include "compiler/internal/lint.h"
#include "compiler/messages.h"

namespace tarvosa {

std::int32_t RecordReader::ReadProgressive(std::string_view what) {
  const std::int32_t progressive = in.ReadInt32(what);
  d.record = Here();
  return progressive;
}

void RecordReader::WarnPastTheLine(std::string_view what, std::int64_t start, std::int64_t end) {
  const std::int64_t length = out.header[kNumbersEntry].end;
  const auto line_end = [length] { return "the end of the line at " + Metres(length); };
  if (start > length) {
    d.Warn(d.record, [&] {
      return std::string(what) + " at " + Metres(start) + " lies beyond " + line_end();
    });
  } else if (end > length) {
    d.Warn(d.record, [&] {
      return std::string(what) + " from " + Metres(start) + " to " + Metres(end) + " runs past " +
             line_end();
    });
  }
}

void RecordReader::WarnProfileStep(ProfileStep& previous, std::string_view what,
                                   std::int64_t progressive) {
  if (previous.seen && progressive < previous.progressive) {
    d.Warn(d.record, [&] {
      return std::string(what) + " at " + Metres(progressive) + " comes after one at " +
             Metres(previous.progressive) + ": records must ascend";
    });
  } else if (previous.seen && ProfileCellOf(progressive) == ProfileCellOf(previous.progressive)) {
    d.Warn(d.record, [&] {
      return std::string(what) + " at " + Metres(progressive) +
             " falls in the same cell as the one at " + Metres(previous.progressive);
    });
  }
  previous = {true, progressive};
}

void RecordReader::Matched(bool matched) {
  const bool unknown_before = scratch.unknown_record;
  scratch.unknown_record = !matched && (scratch.keyword_starts_line || unknown_before);
  if (matched) {
    ++scratch.own_records;
    if (scratch.records != nullptr) {
      scratch.records->push_back({scratch.keyword, field(), std::move(in.kept())});
      in.kept().clear();
    }
    return;
  }
  // The values of a record no keyword matched pass with its keyword.
  if (!scratch.keyword_starts_line && unknown_before) return;
  const auto other = file_ == SourceLocation::File::kLine ? SourceLocation::File::kTrain
                                                          : SourceLocation::File::kLine;
  if (lint::IsKeywordOf(field(), other)) ++scratch.foreign_keywords;
  lint::UnknownField(d, scratch.keyword, field(), file_, !scratch.keyword_starts_line);
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
