// The two scenario text files are read as one stream of comma-separated
// fields, the way the simulator's own tools read them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/diagnostics.h"
#include "compiler/internal/reader_scratch.h"
#include "compiler/internal/source_records.h"
#include "compiler/messages.h"

namespace tarvosa {

// A read that the file cannot satisfy: nothing left to read, a quoted text,
// a number that is not one or does not fit its destination. The readers
// record it as data error 25, with its reason and the byte it concerns
// (-1 for the file as a whole).
class RuntimeFailure : public std::runtime_error {
 public:
  RuntimeFailure(const std::string& reason, std::int64_t offset)
      : std::runtime_error(reason), offset_(offset) {}
  std::int64_t offset() const { return offset_; }

 private:
  std::int64_t offset_;
};

// Reads fields from a file's bytes, which must outlive it and every text it
// returns. Blanks (and only the blank, 20h) and line ends (CR LF, LF or CR)
// before a field are passed over. A text field runs to the next comma or
// line end, which is consumed with it. A number field also ends at a blank;
// the blanks after it and then one comma or one line end are consumed. An
// empty field reads as 0.
class FieldReader {
 public:
  explicit FieldReader(std::string_view bytes) : bytes_(bytes) {}

  // True when nothing is left to read. Tested after a read, so the last
  // field of a file is read but never examined.
  bool AtEnd() const { return at_ >= bytes_.size(); }

  // `what` names the value in messages: "the gradient", "the board text".
  std::string_view ReadText(std::string_view what = "a field");
  std::int32_t ReadInt32(std::string_view what) {
    return static_cast<std::int32_t>(ReadNumber(what, INT32_MIN, INT32_MAX));
  }
  std::int16_t ReadInt16(std::string_view what) {
    return static_cast<std::int16_t>(ReadNumber(what, INT16_MIN, INT16_MAX));
  }
  std::uint8_t ReadByte(std::string_view what) {
    return static_cast<std::uint8_t>(ReadNumber(what, 0, UINT8_MAX));
  }

  // Where the field read last begins.
  std::int64_t field_start() const { return static_cast<std::int64_t>(field_start_); }

  // Passes over the rest of the line that holds byte `anchor` (-1: the
  // field read last) and its line end: reading on after a record in error
  // starts again at the next line.
  void SkipLineOf(std::int64_t anchor);

  // Whether the field read last is the first of its line.
  bool StartsLine() const {
    return field_start_ == 0 || line_end_before_ != std::string_view::npos;
  }

  // Keeps every value read from now on in `kept()`, for the railway
  // checks; the readers clear it at each keyword.
  void KeepValues() { keep_ = true; }
  std::vector<RecordValue>& kept() { return kept_; }

 private:
  std::int64_t ReadNumber(std::string_view what, std::int64_t lowest, std::int64_t highest);
  std::int64_t ParseNumber(std::string_view what, std::int64_t lowest, std::int64_t highest);
  void StartField(std::string_view what);
  [[noreturn]] void NotANumber(std::string_view what, std::string_view token) const;
  bool AtLineEnd() const;
  void SkipLineEnd();

  std::string_view bytes_;
  std::size_t at_ = 0;
  std::size_t field_start_ = 0;
  // The line end that ended the field read last, if one did, and the first
  // line end between the field before and the field read last.
  std::size_t line_end_after_ = std::string_view::npos;
  std::size_t line_end_before_ = std::string_view::npos;
  bool keep_ = false;
  std::vector<RecordValue> kept_;
};

// Reads the next field in keyword position into `scratch.current_field`
// (and its place into `scratch.keyword`), passing over at most two fields in
// a row that contain "-", each with a warning. False when the read reached
// the end of the file: the last field is never examined.
bool ReadKeyword(FieldReader& in, SourceLocation::File file, ReaderScratch& scratch,
                 Diagnostics& diagnostics);

// Keyword tests: `keyword` occurs anywhere in `field`, ignoring the case of
// ASCII letters, or exactly as written.
bool Contains(std::string_view field, std::string_view keyword);
bool ContainsExact(std::string_view field, std::string_view keyword);

// Records `failure` in `file` as error 25. When the record being read has a
// number in its keyword field ("segnale    9200"), the fault is the comma
// missing there, and that is what is recorded.
void RecordReadFailure(const RuntimeFailure& failure, SourceLocation::File file,
                       const ReaderScratch& scratch, Diagnostics& diagnostics);

}  // namespace tarvosa
