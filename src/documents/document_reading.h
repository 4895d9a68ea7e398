// The facts a driver reads off the timetable sheet and the slow-down order,
// found by their layout: the station table, the rows of the speed tables
// that name a locality at a kilometre, and the restrictions of the order's
// table. Lines and columns count from 1, columns in characters.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "documents/scenario_documents.h"

namespace tarvosa {

// A value as a document writes it, and where.
struct WrittenValue {
  std::string text;  // without the "_" and blanks that pad its cell
  std::size_t line = 0;
  std::size_t column = 0;
};

// A row of the station table.
struct SheetStation {
  WrittenValue name;
  WrittenValue arrival;    // empty where the train does not stop
  WrittenValue departure;  // the departure or passing time
};

// A row of a speed table that gives a locality at a kilometre.
struct SheetKilometre {
  WrittenValue name;
  WrittenValue kilometres;  // "137.40"
  std::int32_t metres = 0;
};

struct SheetFacts {
  std::optional<std::size_t> head_line;  // the station table's column heads
  std::vector<SheetStation> stations;
  std::vector<SheetKilometre> kilometres;
};

// The station table is found by its heads "Località", "Arr" and "Part" and
// ends at the first row without a locality (its bottom rule). The speed
// tables are the lines after it that begin "  |".
SheetFacts ReadSheet(const DocumentLines& sheet);

// "10.12" or "11.15½" as seconds since midnight; nothing for other text.
std::optional<std::int32_t> SheetTime(const std::string& text);

// One restriction of the slow-down order: its number in its first row,
// where it applies and how fast in its last.
struct OrderRestriction {
  WrittenValue number;
  WrittenValue post;  // the kilometre post it begins after, "201.000"
  WrittenValue speed;
};

struct OrderFacts {
  std::optional<std::size_t> first_row;  // the line of the first row under the heads' rule
  std::vector<OrderRestriction> restrictions;
};

// The restrictions between the rule under the table's heads and its bottom
// rule: rows of six cells, " |" first.
OrderFacts ReadOrder(const DocumentLines& order);

// A kilometre figure, "201.000" or "61.1", in metres; nothing for other text.
std::optional<std::int32_t> Metres(const std::string& text);

}  // namespace tarvosa
