// The procedures that place one record of the scenario files on the track
// cells and in the scenario table. A store refuses a feature only by
// recording an error number at the record being stored
// (`diagnostics.record`); its caller then stops reading its file. A store
// that would reach a cell outside the track records 15; what it wrote
// before that stays written.
#pragma once

#include <cstdint>
#include <vector>

#include "compiler/compiled_model.h"
#include "compiler/diagnostics.h"
#include "compiler/internal/reader_scratch.h"

namespace tarvosa {

// After a store call: true when a code stands (the store's refusal, or one
// left before), and then the record's progressive becomes the error
// position; the caller stops reading its file. Reading on past errors,
// only an error of the record being stored counts.
bool Refused(Diagnostics& diagnostics, std::int32_t progressive);

// Puts a feature of `kind` into `cell` (cell `index`), noting the record
// that put it there and warning when the cell held another feature or a
// tunnel marker.
void PutFeature(TrackCell& cell, std::int64_t index, std::uint8_t kind, Diagnostics& diagnostics);

// A tunnel span from `inizio` to `fine`; a `tipo` above 10 means type
// `tipo` - 10 with a marker in every fourth free cell. A span beginning at
// most 150 m after the previous one ends gets type 3.
void memo_montagna(std::vector<TrackCell>& cells, SpanTable& spans, Diagnostics& diagnostics,
                   std::int32_t inizio, std::int32_t fine, std::int32_t& tipo);

// A speed-indicator board (error 21 on an occupied cell).
void memo_indicatori_v_max(std::vector<TrackCell>& cells, Diagnostics& diagnostics,
                           std::int32_t posizione, std::int32_t vas, std::int32_t vbs,
                           std::int32_t vcs, std::int32_t strisces, std::int32_t vad,
                           std::int32_t vbd, std::int32_t vcd, std::int32_t strisced);

// A signal and its four approach codes (error 16 on an occupied cell).
void memo_segnale(std::vector<TrackCell>& cells, Diagnostics& diagnostics, std::int32_t posizione,
                  std::int32_t sx, std::int32_t s1, std::int32_t s2, std::int32_t s3,
                  std::int32_t rapp, std::int32_t dx, std::int32_t d1, std::int32_t d2,
                  std::int32_t d3, std::int32_t& tempo);

// A slow-down of length `l` from `x` at speed `v`: its warning board 1200 m
// before (beyond 1500 m only), start and end cells (errors 17, 18, 19,
// tested before anything is written), and when `f_ta` is set the four
// approach markers before the warning board (error 20).
void memo_rallentamento(std::vector<TrackCell>& cells, Diagnostics& diagnostics, std::int32_t x,
                        std::int32_t v, std::int32_t l, std::int32_t f_tt, std::int32_t f_ta,
                        std::int32_t d_v);

}  // namespace tarvosa
