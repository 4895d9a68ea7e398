// A table of named columns printed as aligned text, CSV or JSON.
#pragma once

#include <ostream>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

namespace tarvosa::tool {

using Json = nlohmann::ordered_json;

struct Column {
  std::string name;
  bool left = false;       // left-aligned in text (right-aligned otherwise)
  bool json_only = false;  // left out of text and CSV
};

// A JSON value as it reads in text: a text as it is, a real with six
// decimals, null as nothing, anything else as JSON.
std::string PlainText(const Json& value);

// A value as JSON and as it reads in text and CSV (by default the JSON value
// itself: a text as it is, a real with six decimals, null as nothing).
struct Value {
  template <typename T>
  requires std::is_constructible_v<Json, T&&> Value(
      T&& value)  // NOLINT: every JSON value is a plain value
      : json(std::forward<T>(value)), text(PlainText(json)) {}
  Value(Json value, std::string text) : json(std::move(value)), text(std::move(text)) {}
  Json json;
  std::string text;
};

struct Table {
  std::vector<Column> columns;
  std::vector<std::vector<Value>> rows;  // one value per column
  bool trim = false;                     // no blanks at the end of a text line
};

// "text": a header line and aligned columns two blanks apart; "csv": a
// header line and values quoted where they need it; "json": an array of
// one object per row, keyed by the column names.
void Print(const Table& table, const std::string& format, std::ostream& out);

}  // namespace tarvosa::tool
