// The station records of the train data file.
#pragma once

#include <cstdint>

#include "compiler/internal/record_reader.h"

namespace tarvosa {

// What a record asks of the train reader's main loop: go on, leave it for
// the end of the read (error 15), or stop the read at once.
enum class TrainNext { kGoOn, kEndRead, kStop };

// Reads the rest of a "stazione" record into entry `station` of the table,
// computes its stretch and, for types below 25, places its stop cell and
// (but for types 5 and 6) the four approach codes before it; then moves
// `station` to the next entry.
TrainNext ReadStation(RecordReader& reader, std::int32_t& station);

}  // namespace tarvosa
