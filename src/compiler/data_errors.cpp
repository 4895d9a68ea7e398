#include "compiler/data_errors.h"

#include <array>

namespace tarvosa {
namespace {

using E = DataError;

constexpr std::array<DataErrorInfo, 28> kDataErrors = {{
    {E::kLineTooLong, false, "the line length is over 1000000 m"},
    {E::kReferenceOffCell, false, "a kilometre reference's start or end is not a multiple of 50"},
    {E::kRepetitionStartOffCell, false,
     "the first progressive of the signal repetition is not a multiple of 50"},
    {E::kRepetitionEndOffCell, false,
     "the second progressive of the signal repetition is not a multiple of 50"},
    {E::kRepetitionCodeCount, false, "the signal repetition names neither 4 nor 9 codes"},
    {E::kTextBoardCellTaken, true, "a text board's cell already holds another feature"},
    {E::kBrakingPointCellTaken, true, "an abbattimento point's cell already holds another feature"},
    {E::kStationOffCell, true, "a station's progressive is not a multiple of 50"},
    {E::kStationLength, true, "a station's length is not a multiple of 100"},
    {E::kTooManyStations, false, "too many stations: they reach the entries of the text boards"},
    {E::kNoRoomBeforeSignal, true,
     "no room for a braking point in front of a signal before a slow-down warning board"},
    {E::kNoRoomBeforeSlowDown, true, "no room for a braking point before a slow-down"},
    {E::kNoRoomInSlowZone, true,
     "no room for a braking point inside a slow zone or in front of the signal after it"},
    {E::kTooManyTextBoards, true, "too many text boards: there is room for 81"},
    {E::kOutsideTheTrack, true, "a feature lies too close to the end of the track or beyond it"},
    {E::kSignalCellTaken, true, "a signal's cell already holds another feature"},
    {E::kWarningBoardCellTaken, true,
     "a slow-down warning board's cell already holds another feature"},
    {E::kSlowDownStartCellTaken, true, "a slow-down start's cell already holds another feature"},
    {E::kSlowDownEndCellTaken, true, "a slow-down end's cell already holds another feature"},
    {E::kApproachMarkerCellTaken, true, "a slow-down's approach markers fall on another feature"},
    {E::kSpeedBoardCellTaken, true, "a speed-indicator board's cell already holds another feature"},
    {E::kStationTooClose, true, "a station begins less than 350 m after the end of the one before"},
    {E::kTooManyTunnelSpans, true, "too many tunnel spans: there is room for 80"},
    {E::kStationAtTheOrigin, false, "a station's stretch ends 100 m or less from the origin"},
    {E::kUnreadable, false, "a file cannot be read as written"},
    {E::kNoLineFile, false, "the line definition file does not exist"},
    {E::kNoGeneralPart, false, "the line definition file has no [generale] line"},
    {E::kBadCurve, false, "a curve names no class from 1 to 6, or runs past the end of the plan"},
}};

}  // namespace

std::span<const DataErrorInfo> AllDataErrors() {
  return kDataErrors;
}

const DataErrorInfo* FindDataError(std::int32_t code) {
  for (const DataErrorInfo& info : kDataErrors) {
    if (NumberOf(info.error) == code) return &info;
  }
  return nullptr;
}

std::string DataErrorText(std::int32_t code, std::int32_t position) {
  std::string text = "error " + std::to_string(code);
  const DataErrorInfo* info = FindDataError(code);
  if (info == nullptr) return text;
  if (info->has_position) text += " at " + std::to_string(position) + " m";
  return text + ": " + std::string(info->meaning);
}

}  // namespace tarvosa
