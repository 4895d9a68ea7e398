// Values of a compiled file as an author reads them: named, in their units.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "tool/presenters/table_printer.h"

namespace tarvosa::tool {

// One value: its key in JSON, its label in text, its JSON value and how it
// reads ("105/110/125 km/h"). A quiet field is left out of the text when it
// says nothing (a group of speeds that are all 0), but kept in JSON and in
// comparisons.
struct Field {
  std::string key;
  std::string label;
  Json value;
  std::string shown;
  bool quiet = false;
};
using Fields = std::vector<Field>;

// A field whose value reads as its number and a unit ("130 %", "12").
Field NumberField(std::string key, std::string label, std::int64_t value,
                  const std::string& unit = "");

// "label shown, label shown", leaving out the quiet fields.
std::string FieldsText(const Fields& fields);

// The fields as a JSON object keyed by their keys.
Json FieldsObject(const Fields& fields);

// A time of day from its seconds since midnight: "09:42:50" (hours past 23
// and a minus sign as they come).
std::string Clock(std::int64_t seconds);

}  // namespace tarvosa::tool
