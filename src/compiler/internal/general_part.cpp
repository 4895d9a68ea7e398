#include "compiler/internal/general_part.h"

#include <optional>

#include "compiler/internal/arithmetic.h"
#include "compiler/internal/field_reader.h"
#include "compiler/internal/lint.h"
#include "compiler/messages.h"

namespace tarvosa {
namespace {

constexpr auto kLine = SourceLocation::File::kLine;

// Reads with the line reader's field reader, into what it fills.
class GeneralPart : RecordReader {
 public:
  GeneralPart(const RecordReader& reader, bool plan) : RecordReader(reader), plan_(plan) {}

  // The track is sized once, for the length that holds when the part ends,
  // however it ends: a later length record replaces an earlier one.
  bool Run() {
    try {
      const bool read = FindGeneralPart() && ReadSettings();
      SizeTrack();
      return read;
    } catch (...) {
      SizeTrack();
      throw;
    }
  }

 private:
  bool FindGeneralPart() {
    std::int64_t fields = 0;
    SourceLocation misspelt;
    do {
      scratch.current_field = in.ReadText("the [generale] line");
      ++fields;
      if (misspelt.file == SourceLocation::File::kNone && lint::NearGeneralHeader(field())) {
        misspelt = Here();
      }
      if (in.AtEnd()) {
        const bool near = misspelt.file != SourceLocation::File::kNone;
        d.Record(DataError::kNoGeneralPart, near ? misspelt : SourceLocation{kLine, -1},
                 "none of its " + std::to_string(fields) + " fields holds '[generale]'" +
                     (near ? "; is this one meant to?" : ""));
        return false;
      }
    } while (!Contains(field(), "[generale]"));
    return true;
  }

  // The general settings, in any order, up to the next section header.
  bool ReadSettings() {
    while (!in.AtEnd()) {
      scratch.keyword = {};
      scratch.current_field = in.ReadText("a setting");
      if (in.AtEnd()) break;
      for (int i = 0; i < 10; ++i) {
        if (Contains(field(), "-")) {
          lint::PassedOver(d, Here(), field(), {});
          scratch.current_field = in.ReadText("the field after one holding '-'");
        }
      }
      scratch.keyword = Here();
      const bool starts_line = in.StartsLine();
      const bool header = Contains(field(), "[") && Contains(field(), "]");
      if (!ReadSettingOrReadOn()) return false;
      scratch.keyword_starts_line = starts_line;
      Matched(matched_);
      if (header && field().front() != '-') break;
    }
    return true;
  }

  // ReadSetting; reading on past errors, a setting in error is passed over
  // with the rest of its line, but for a length refused (error 1), which
  // leaves no track.
  bool ReadSettingOrReadOn() {
    if (!d.read_on()) return ReadSetting();
    try {
      if (ReadSetting()) return true;
      if (d.error().error == DataError::kLineTooLong) return false;
    } catch (const RuntimeFailure& failure) {
      RecordReadFailure(failure, kLine, scratch, d);
    }
    in.SkipLineOf(scratch.keyword.offset);
    return true;
  }

  // Reads the setting `field()` names, if any (`matched_` tells); false
  // when it recorded an error.
  bool ReadSetting() {
    const std::string_view f = field();
    matched_ = (Contains(f, "percorso") && Contains(f, "lunghezza")) ||
               (ContainsExact(f, "progressiva") &&
                (ContainsExact(f, "tre") || ContainsExact(f, "due") || ContainsExact(f, "uno"))) ||
               (ContainsExact(f, "sfondo") &&
                (ContainsExact(f, "uno") || ContainsExact(f, "due") || ContainsExact(f, "tre"))) ||
               (ContainsExact(f, "segnali") && ContainsExact(f, "ripetizione"));
    if (Contains(f, "percorso") && Contains(f, "lunghezza") && !ReadLength()) return false;
    if (ContainsExact(f, "tre") && ContainsExact(f, "progressiva")) ReadReference(0, kReferenceTre);
    if (ContainsExact(f, "due") && ContainsExact(f, "progressiva")) ReadReference(1, kReferenceDue);
    if (ContainsExact(f, "uno") && ContainsExact(f, "progressiva")) ReadReference(2, kReferenceUno);
    ScenarioEntry& route = out.header[kRouteEntry];
    if (ContainsExact(f, "sfondo") && ContainsExact(f, "uno")) {
      route.start = in.ReadInt32("the first background");
    }
    if (ContainsExact(f, "sfondo") && ContainsExact(f, "due")) {
      route.position = in.ReadInt32("the second background");
    }
    if (ContainsExact(f, "sfondo") && ContainsExact(f, "tre")) {
      route.end = in.ReadInt32("the third background");
    }
    if (ContainsExact(f, "segnali") && ContainsExact(f, "ripetizione")) return ReadRepetition();
    return true;
  }

  // The line's length, which sizes the track cells and the plan once the
  // part is read.
  bool ReadLength() {
    const std::int32_t length = in.ReadInt32("the line length");
    out.header[kNumbersEntry].end = length;
    if (length <= 0) {
      d.Warn(Here(), [&] {
        return "the line length is " + Metres(length) + ": a line needs a length above 0";
      });
    }
    if (length > kLongestLine) {
      d.Record(DataError::kLineTooLong, Here(), "it is " + Metres(length));
      return false;
    }
    const std::int64_t rows = PlanLastRowFor(length);
    const std::int64_t last_cell = LastCellFor(length);
    if (last_cell < 0 || (plan_ && rows < 0)) {
      throw RuntimeFailure("the line length " + Metres(length) +
                               " leaves no track: the track runs 7000 m beyond the line's end",
                           in.field_start());
    }
    sized_ = Sized{last_cell, rows};
    return true;
  }

  // Cells 0 to U, and the plan with room for its rows, for the last length
  // accepted; nothing when none was.
  void SizeTrack() {
    if (!sized_) return;
    cells().assign(static_cast<std::size_t>(sized_->last_cell + 1), TrackCell{});
    out.plan.reset();
    if (plan_) {
      LineData& plan = out.plan.emplace();
      plan.last_row = static_cast<std::int32_t>(sized_->rows);
      plan.x.reserve(static_cast<std::size_t>(sized_->rows));
      plan.y.reserve(static_cast<std::size_t>(sized_->rows));
    }
  }

  void ReadReference(std::size_t read, std::size_t entry) {
    ScenarioEntry& reference = out.header[entry];
    reference.start = in.ReadInt32("the reference's start");
    scratch.references[read].at = Here();
    reference.end = in.ReadInt32("the reference's end");
    reference.position = in.ReadInt32("the reference's position");
    scratch.references[read].start = reference.start;
    scratch.references[read].end = reference.end;
  }

  bool ReadRepetition() {
    ScenarioEntry& train = out.header[kTrainEntry];
    train.start = in.ReadInt32("the first progressive of the repetition");
    const SourceLocation first = Here();
    train.end = in.ReadInt32("the second progressive of the repetition");
    if (train.start % 50 != 0) {
      d.Record(DataError::kRepetitionStartOffCell, first, NotAMultipleText(train.start, 50));
      return false;
    }
    if (train.end % 50 != 0) {
      d.Record(DataError::kRepetitionEndOffCell, Here(), NotAMultipleText(train.end, 50));
      return false;
    }
    if (Contains(field(), "4")) {
      train.position = 4;
    } else if (Contains(field(), "9")) {
      train.position = 9;
    } else {
      d.Record(DataError::kRepetitionCodeCount, scratch.keyword,
               "the keyword " + Quoted(field()) + " holds no 4 and no 9");
      return false;
    }
    if (train.end == 0) train.position = 0;
    return true;
  }

  struct Sized {
    std::int64_t last_cell = 0;
    std::int64_t rows = 0;
  };

  bool plan_;
  bool matched_ = false;
  std::optional<Sized> sized_;
};

}  // namespace

bool ReadGeneralPart(RecordReader& reader, bool plan) {
  return GeneralPart(reader, plan).Run();
}

}  // namespace tarvosa
