#include "compiler/data_errors.h"

#include <array>
#include <string_view>

namespace tarvosa {
namespace {

enum class Source { kLine, kTrain, kBoth, kBuilder };

struct DataError {
  std::int32_t code;
  Source source;
  bool has_position;
  std::string_view meaning;
};

constexpr std::array<DataError, 28> kDataErrors = {{
    {1, Source::kLine, false, "the line length is over 1000000 m"},
    {2, Source::kLine, false, "a kilometre reference's start or end is not a multiple of 50"},
    {3, Source::kLine, false,
     "the first progressive of the signal repetition is not a multiple of 50"},
    {4, Source::kLine, false,
     "the second progressive of the signal repetition is not a multiple of 50"},
    {5, Source::kLine, false, "the signal repetition names neither 4 nor 9 codes"},
    {6, Source::kLine, true, "a text board's cell already holds another feature"},
    {7, Source::kTrain, true, "an abbattimento point's cell already holds another feature"},
    {8, Source::kTrain, true, "a station's progressive is not a multiple of 50"},
    {9, Source::kTrain, true, "a station's length is not a multiple of 100"},
    {10, Source::kTrain, false, "too many stations: they reach the entries of the text boards"},
    {11, Source::kBuilder, true,
     "no room for a braking point in front of a signal before a slow-down warning board"},
    {12, Source::kBuilder, true, "no room for a braking point before a slow-down"},
    {13, Source::kBuilder, true,
     "no room for a braking point inside a slow zone or in front of the signal after it"},
    {14, Source::kLine, true, "too many text boards: there is room for 81"},
    {15, Source::kBoth, true, "a feature lies too close to the end of the track or beyond it"},
    {16, Source::kTrain, true, "a signal's cell already holds another feature"},
    {17, Source::kTrain, true, "a slow-down warning board's cell already holds another feature"},
    {18, Source::kTrain, true, "a slow-down start's cell already holds another feature"},
    {19, Source::kTrain, true, "a slow-down end's cell already holds another feature"},
    {20, Source::kTrain, true, "a slow-down's approach markers fall on another feature"},
    {21, Source::kLine, true, "a speed-indicator board's cell already holds another feature"},
    {22, Source::kTrain, true, "a station begins less than 350 m after the end of the one before"},
    {23, Source::kLine, true, "too many tunnel spans: there is room for 80"},
    {24, Source::kTrain, false, "a station's stretch ends 100 m or less from the origin"},
    {25, Source::kBoth, false,
     "a file is missing, empty, cut short, or holds a field that is not a number or too large for "
     "its place"},
    {101, Source::kLine, false, "the line definition file does not exist"},
    {102, Source::kLine, false, "the line definition file has no [generale] line"},
    {103, Source::kLine, false,
     "a curve names no class from 1 to 6, or runs past the end of the plan"},
}};

const DataError* Find(std::int32_t code) {
  for (const DataError& error : kDataErrors) {
    if (error.code == code) return &error;
  }
  return nullptr;
}

}  // namespace

std::string DataErrorText(std::int32_t code, std::int32_t position) {
  std::string text = "error " + std::to_string(code);
  const DataError* error = Find(code);
  if (error == nullptr) return text;
  if (error->has_position) text += " at " + std::to_string(position) + " m";
  return text + ": " + std::string(error->meaning);
}

std::string DescribeDataError(const CompilerState& state) {
  const DataError* error = Find(state.error_code);
  std::string file;
  if (error != nullptr && error->source == Source::kLine) file = state.line_file + ": ";
  if (error != nullptr && error->source == Source::kTrain) file = state.train_file + ": ";
  return file + DataErrorText(state.error_code, state.error_position);
}

}  // namespace tarvosa
