// Named views of a track cell's and a table entry's members, one for each
// thing they can hold, so that code says `signal.time` or `station.extension`
// where the stored layout says `signal_time` or `byte_c`. A view holds
// references: over a TrackCell it writes, over a const one it only reads
// (SignalCell signal(cell) deduces which).
#pragma once

#include <cstdint>
#include <string>
#include <type_traits>

#include "compiler/compiled_model.h"

namespace tarvosa {

// A member of `Owner` as a view holds it: writable unless the owner is const.
template <typename Owner, typename T>
using ViewOf = std::conditional_t<std::is_const_v<Owner>, const T&, T&>;

// ---- Track cells ----

// A signal (kind 1): its fields s1 to s3 with d1 to d3 as pairs, rapp with
// sx and dx, and its time.
template <typename Cell>
struct SignalCell {
  explicit SignalCell(Cell& cell)
      : s1_d1(cell.value_a),
        s2_d2(cell.value_b),
        s3_d3(cell.value_c),
        rapp_sx_dx(cell.value_d),
        time(cell.signal_time) {}
  ViewOf<Cell, std::int16_t> s1_d1;       // s1 × 10 + d1
  ViewOf<Cell, std::int16_t> s2_d2;       // s2 × 10 + d2
  ViewOf<Cell, std::int16_t> s3_d3;       // s3 × 10 + d3
  ViewOf<Cell, std::int16_t> rapp_sx_dx;  // rapp × 10 + sx × 3 + dx
  ViewOf<Cell, std::uint8_t> time;
};

// A speed-indicator board (kind 6): three speed pairs and the stripes.
template <typename Cell>
struct BoardCell {
  explicit BoardCell(Cell& cell)
      : first_speeds(cell.value_a),
        second_speeds(cell.value_b),
        third_speeds(cell.value_c),
        stripes(cell.value_d) {}
  ViewOf<Cell, std::int16_t> first_speeds;  // left × 20 + right ÷ 5
  ViewOf<Cell, std::int16_t> second_speeds;
  ViewOf<Cell, std::int16_t> third_speeds;
  ViewOf<Cell, std::int16_t> stripes;  // left × 10 + right
};

// A slow-down's start, end or warning board (kinds 3, 2 and 4).
template <typename Cell>
struct SlowDownCell {
  explicit SlowDownCell(Cell& cell) : speed(cell.value_a), d_v(cell.value_b), f_tt(cell.value_c) {}
  ViewOf<Cell, std::int16_t> speed;  // km/h
  ViewOf<Cell, std::int16_t> d_v;
  ViewOf<Cell, std::int16_t> f_tt;  // not on the warning board
};

// One of the four approach markers before a warning board (kind 5),
// numbered 1 to 4 backwards; the number again where the slow-down has a d_v.
template <typename Cell>
struct ApproachMarkerCell {
  explicit ApproachMarkerCell(Cell& cell) : number(cell.value_a), d_v_number(cell.value_b) {}
  ViewOf<Cell, std::int16_t> number;
  ViewOf<Cell, std::int16_t> d_v_number;
};

// A station's stop cell (kind 10): its entry in the table.
template <typename Cell>
struct StationStopCell {
  explicit StationStopCell(Cell& cell) : station(cell.value_a) {}
  ViewOf<Cell, std::int16_t> station;
};

// A text board (kind 14): the entry of its text.
template <typename Cell>
struct TextBoardCell {
  explicit TextBoardCell(Cell& cell) : text_entry(cell.value_a) {}
  ViewOf<Cell, std::int16_t> text_entry;
};

// A braking point with a speed (kind 12).
template <typename Cell>
struct BrakingPointCell {
  explicit BrakingPointCell(Cell& cell) : speed(cell.value_a) {}
  ViewOf<Cell, std::int16_t> speed;
};

// Cell 1, where the compiler stamps its marker and a check code.
template <typename Cell>
struct StampedCell {
  explicit StampedCell(Cell& cell) : marker(cell.value_a), check_code(cell.value_b) {}
  ViewOf<Cell, std::int16_t> marker;
  ViewOf<Cell, std::int16_t> check_code;
};

// ---- Table entries ----

// A station (entries from 1 up): fields 4 to 13 of its record are named by
// their place in it, as nothing else tells what they mean.
template <typename Entry>
struct StationEntry {
  explicit StationEntry(Entry& e)
      : type(e.kind),
        start(e.start),
        end(e.end),
        position(e.position),
        field_4(e.flag_a),
        field_5(e.byte_d),
        extension(e.byte_c),
        field_7(e.word_a),
        field_8(e.word_b),
        field_9(e.byte_a),
        field_10(e.word_c),
        field_11(e.word_d),
        field_12(e.word_e),
        field_13(e.byte_b),
        time(e.time),
        name(e.name) {}
  ViewOf<Entry, std::uint8_t> type;
  ViewOf<Entry, std::int32_t> start;  // the stretch it occupies
  ViewOf<Entry, std::int32_t> end;
  ViewOf<Entry, std::int32_t> position;
  ViewOf<Entry, std::uint8_t> field_4;
  ViewOf<Entry, std::uint8_t> field_5;
  ViewOf<Entry, std::uint8_t> extension;  // field 6
  ViewOf<Entry, std::int16_t> field_7;
  ViewOf<Entry, std::int16_t> field_8;
  ViewOf<Entry, std::uint8_t> field_9;
  ViewOf<Entry, std::int16_t> field_10;
  ViewOf<Entry, std::int16_t> field_11;
  ViewOf<Entry, std::int16_t> field_12;
  ViewOf<Entry, std::uint8_t> field_13;
  ViewOf<Entry, std::int32_t> time;  // seconds since midnight
  ViewOf<Entry, std::string> name;
};

// Entry 84: the train's and the line's numbers.
template <typename Entry>
struct NumbersEntry {
  explicit NumbersEntry(Entry& e)
      : braked_weight_percent(e.start), line_length(e.end), coaches(e.position) {}
  ViewOf<Entry, std::int32_t> braked_weight_percent;
  ViewOf<Entry, std::int32_t> line_length;
  ViewOf<Entry, std::int32_t> coaches;
};

// Entry 85: the route.
template <typename Entry>
struct RouteEntry {
  explicit RouteEntry(Entry& e)
      : title(e.name),
        background_1(e.start),
        background_2(e.position),
        background_3(e.end),
        marker(e.word_a),
        check_code(e.time) {}
  ViewOf<Entry, std::string> title;
  ViewOf<Entry, std::int32_t> background_1;
  ViewOf<Entry, std::int32_t> background_2;
  ViewOf<Entry, std::int32_t> background_3;
  ViewOf<Entry, std::int16_t> marker;
  ViewOf<Entry, std::int32_t> check_code;
};

// Entry 86: the train, the signal repetition and the clock.
template <typename Entry>
struct TrainEntry {
  explicit TrainEntry(Entry& e)
      : title(e.name),
        repetition_start(e.start),
        repetition_end(e.end),
        repetition_codes(e.position),
        sand(e.word_a),
        clock_hours(e.word_c),
        clock_minutes(e.word_d),
        clock_seconds(e.word_e) {}
  ViewOf<Entry, std::string> title;
  ViewOf<Entry, std::int32_t> repetition_start;
  ViewOf<Entry, std::int32_t> repetition_end;
  ViewOf<Entry, std::int32_t> repetition_codes;  // 4, 9, or 0 without an end
  ViewOf<Entry, std::int16_t> sand;
  ViewOf<Entry, std::int16_t> clock_hours;
  ViewOf<Entry, std::int16_t> clock_minutes;
  ViewOf<Entry, std::int16_t> clock_seconds;
};

}  // namespace tarvosa
