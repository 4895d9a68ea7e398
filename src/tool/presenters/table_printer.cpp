#include "tool/presenters/table_printer.h"

#include <algorithm>
#include <cstdio>

#include "util/escape.h"

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

// A text that is no UTF-8 goes out with U+FFFD; the controls JSON leaves as
// they are (DEL, C1) become its \u escapes, so it stays JSON.
void PrintJson(const Table& t, std::ostream& out) {
  Json rows = Json::array();
  for (const auto& row : t.rows) {
    Json object = Json::object();
    for (std::size_t i = 0; i < row.size(); ++i) object[t.columns[i].name] = row[i].json;
    rows.push_back(std::move(object));
  }
  out << EscapeTerminalLines(rows.dump(2, ' ', false, Json::error_handler_t::replace)) << "\n";
}

// What text and CSV show: the columns not for JSON alone, and the header's
// and each row's texts in them, escaped for the terminal (a text's line
// feeds too: a row is one line).
struct Shown {
  std::vector<bool> left;
  std::vector<std::vector<std::string>> lines;
};

Shown ShownTexts(const Table& t) {
  Shown shown{{}, std::vector<std::vector<std::string>>(1 + t.rows.size())};
  for (std::size_t i = 0; i < t.columns.size(); ++i) {
    if (t.columns[i].json_only) continue;
    shown.left.push_back(t.columns[i].left);
    shown.lines[0].push_back(EscapeTerminal(t.columns[i].name));
    for (std::size_t r = 0; r < t.rows.size(); ++r) {
      shown.lines[r + 1].push_back(EscapeTerminal(t.rows[r][i].text));
    }
  }
  return shown;
}

void PrintCsv(const Table& t, std::ostream& out) {
  for (const auto& texts : ShownTexts(t).lines) {
    for (std::size_t k = 0; k < texts.size(); ++k) out << (k ? "," : "") << Csv(texts[k]);
    out << "\n";
  }
}

void PrintText(const Table& t, std::ostream& out) {
  const Shown shown = ShownTexts(t);
  std::vector<std::size_t> widths(shown.left.size());
  for (const auto& texts : shown.lines) {
    for (std::size_t k = 0; k < texts.size(); ++k) widths[k] = std::max(widths[k], texts[k].size());
  }
  for (const auto& texts : shown.lines) {
    std::string text_line;
    for (std::size_t k = 0; k < texts.size(); ++k) {
      const std::string padding(widths[k] - texts[k].size(), ' ');
      text_line += k ? "  " : "";
      if (!shown.left[k]) {
        text_line += padding + texts[k];
      } else {
        text_line += texts[k] + (k + 1 < texts.size() ? padding : "");
      }
    }
    if (t.trim) text_line.erase(text_line.find_last_not_of(' ') + 1);
    out << text_line << "\n";
  }
}

}  // namespace

void Print(const Table& table, const std::string& format, std::ostream& out) {
  if (format == "json") return PrintJson(table, out);
  if (format == "csv") return PrintCsv(table, out);
  PrintText(table, out);
}

}  // namespace tarvosa::tool
