#include "tool/presenters/table_printer.h"

#include <algorithm>
#include <cstdio>

namespace tarvosa::tool {
namespace {}  // namespace

std::string PlainText(const Json& value) {
  if (value.is_null()) return "";
  if (value.is_string()) return value.get<std::string>();
  if (value.is_number_float()) {
    char text[40];
    std::snprintf(text, sizeof text, "%.6f", value.get<double>());
    return text;
  }
  return value.dump();
}

namespace {

std::string Csv(const std::string& text) {
  if (text.find_first_of(",\"\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (const char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

void PrintJson(const Table& t, std::ostream& out) {
  Json rows = Json::array();
  for (const auto& row : t.rows) {
    Json object = Json::object();
    for (std::size_t i = 0; i < row.size(); ++i) object[t.columns[i].name] = row[i].json;
    rows.push_back(std::move(object));
  }
  out << rows.dump(2) << "\n";
}

// The columns shown in text and CSV.
std::vector<std::size_t> Shown(const Table& t) {
  std::vector<std::size_t> shown;
  for (std::size_t i = 0; i < t.columns.size(); ++i) {
    if (!t.columns[i].json_only) shown.push_back(i);
  }
  return shown;
}

void PrintCsv(const Table& t, std::ostream& out) {
  const std::vector<std::size_t> shown = Shown(t);
  for (std::size_t k = 0; k < shown.size(); ++k) {
    out << (k ? "," : "") << Csv(t.columns[shown[k]].name);
  }
  out << "\n";
  for (const auto& row : t.rows) {
    for (std::size_t k = 0; k < shown.size(); ++k) {
      out << (k ? "," : "") << Csv(row[shown[k]].text);
    }
    out << "\n";
  }
}

void PrintText(const Table& t, std::ostream& out) {
  const std::vector<std::size_t> shown = Shown(t);
  std::vector<std::size_t> widths;
  for (const std::size_t i : shown) {
    std::size_t width = t.columns[i].name.size();
    for (const auto& row : t.rows) width = std::max(width, row[i].text.size());
    widths.push_back(width);
  }
  const auto line = [&](const auto& text_of) {
    std::string text_line;
    for (std::size_t k = 0; k < shown.size(); ++k) {
      const std::string& text = text_of(shown[k]);
      const std::string padding(widths[k] - text.size(), ' ');
      text_line += k ? "  " : "";
      if (!t.columns[shown[k]].left) {
        text_line += padding + text;
      } else {
        text_line += text + (k + 1 < shown.size() ? padding : "");
      }
    }
    if (t.trim) text_line.erase(text_line.find_last_not_of(' ') + 1);
    out << text_line << "\n";
  };
  line([&](std::size_t i) -> const std::string& { return t.columns[i].name; });
  for (const auto& row : t.rows) {
    line([&](std::size_t i) -> const std::string& { return row[i].text; });
  }
}

}  // namespace

void Print(const Table& table, const std::string& format, std::ostream& out) {
  if (format == "json") return PrintJson(table, out);
  if (format == "csv") return PrintCsv(table, out);
  PrintText(table, out);
}

}  // namespace tarvosa::tool
