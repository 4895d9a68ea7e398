// The numbers a fault in the scenario data is recorded with, and what each
// one means.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tarvosa {

// Callers and stored scenarios know the numbers, so they never change.
enum class DataError : std::int32_t {
  kNone = 0,
  kLineTooLong = 1,
  kReferenceOffCell = 2,
  kRepetitionStartOffCell = 3,
  kRepetitionEndOffCell = 4,
  kRepetitionCodeCount = 5,
  kTextBoardCellTaken = 6,
  kBrakingPointCellTaken = 7,
  kStationOffCell = 8,
  kStationLength = 9,
  kTooManyStations = 10,
  kNoRoomBeforeSignal = 11,
  kNoRoomBeforeSlowDown = 12,
  kNoRoomInSlowZone = 13,
  kTooManyTextBoards = 14,
  kOutsideTheTrack = 15,
  kSignalCellTaken = 16,
  kWarningBoardCellTaken = 17,
  kSlowDownStartCellTaken = 18,
  kSlowDownEndCellTaken = 19,
  kApproachMarkerCellTaken = 20,
  kSpeedBoardCellTaken = 21,
  kStationTooClose = 22,
  kTooManyTunnelSpans = 23,
  kStationAtTheOrigin = 24,
  kUnreadable = 25,
  kNoLineFile = 101,
  kNoGeneralPart = 102,
  kBadCurve = 103,
};

constexpr std::int32_t NumberOf(DataError error) {
  return static_cast<std::int32_t>(error);
}

struct DataErrorInfo {
  DataError error;
  bool has_position;  // whether a position in metres goes with it
  std::string_view meaning;
};

// Every number the compiler may record, in ascending order.
std::span<const DataErrorInfo> AllDataErrors();

// The entry of `code`, or nullptr for a number the compiler never records.
const DataErrorInfo* FindDataError(std::int32_t code);

// The number, the position where the number has one, and the meaning:
// "error 16 at 6200 m: a signal's cell already holds another feature".
std::string DataErrorText(std::int32_t code, std::int32_t position);

}  // namespace tarvosa
