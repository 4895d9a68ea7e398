// The two scenario text files are read as one stream of comma-separated
// fields, the way the simulator's own tools read them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "compiler/compiler_state.h"

namespace tarvosa {

// A read that the file cannot satisfy: nothing left to read, a quoted text,
// a number that is not one or does not fit its destination. The readers
// turn it into data error 25.
class RuntimeFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads fields from a file's bytes. Blanks (and only the blank, 20h) and
// line ends (CR LF, LF or CR) before a field are passed over. A text field
// runs to the next comma or line end, which is consumed with it. A number
// field also ends at a blank; the blanks after it and then one comma or one
// line end are consumed. An empty field reads as 0.
class FieldReader {
 public:
  // When given, `location` follows the field being read, in file `file`.
  explicit FieldReader(std::string bytes, SourceLocation* location = nullptr,
                       SourceLocation::File file = SourceLocation::File::kNone)
      : bytes_(std::move(bytes)), location_(location), file_(file) {}

  // True when nothing is left to read. Tested after a read, so the last
  // field of a file is read but never examined.
  bool AtEnd() const { return at_ >= bytes_.size(); }

  std::string ReadText();
  std::int32_t ReadInt32() { return static_cast<std::int32_t>(ReadNumber(INT32_MIN, INT32_MAX)); }
  std::int16_t ReadInt16() { return static_cast<std::int16_t>(ReadNumber(INT16_MIN, INT16_MAX)); }
  std::uint8_t ReadByte() { return static_cast<std::uint8_t>(ReadNumber(0, UINT8_MAX)); }

 private:
  std::int64_t ReadNumber(std::int64_t lowest, std::int64_t highest);
  void StartField();
  bool AtLineEnd() const;
  void SkipLineEnd();

  std::string bytes_;
  std::size_t at_ = 0;
  SourceLocation* location_;
  SourceLocation::File file_;
};

// Reads the next field in keyword position into `field`, passing over at
// most two fields in a row that contain "-". False when the read reached the
// end of the file: the last field is never examined.
bool ReadKeyword(FieldReader& in, std::string& field);

// Keyword tests: `keyword` occurs anywhere in `field`, ignoring the case of
// ASCII letters, or exactly as written.
bool Contains(std::string_view field, std::string_view keyword);
bool ContainsExact(std::string_view field, std::string_view keyword);

}  // namespace tarvosa
