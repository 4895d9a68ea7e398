#include <string>

#include "decompiler/recovery.h"

namespace tarvosa::decompiler {
namespace {

void Section(std::string& out, std::string_view header, const std::vector<std::string>& lines) {
  out.append(header).append("\r\n");
  for (const std::string& line : lines) out.append(line).append("\r\n");
}

}  // namespace

std::string Record(std::string_view keyword, const std::vector<std::int64_t>& values) {
  std::string line(keyword);
  for (const std::int64_t value : values) line += ",  " + std::to_string(value);
  return line;
}

WrittenText TextField(std::string_view text) {
  std::string field(text), problem;
  const std::size_t end = field.find_first_of(",\r\n");
  if (end != std::string::npos) {
    field.erase(end);
    problem = "it holds a comma or a line end, which ends a text: written up to it";
  }
  const std::size_t first = field.find_first_not_of(' ');
  if (first != 0 && !field.empty()) {
    field.erase(0, first == std::string::npos ? field.size() : first);
    problem = "it begins with a blank, which a text cannot: written without";
  }
  if (!field.empty() && field.front() == '"') {
    field.erase(0, field.find_first_not_of('"'));
    problem = "it begins with a double quote, which a text cannot: written without";
  }
  // An empty text is the field between two commas.
  return {field.empty() ? "," : field, problem};
}

std::string LineText(const Recovery& r) {
  std::string out;
  Section(out, "[generale]", r.line_general);
  Section(out, "[curve]", r.curves);
  Section(out, "[pendenze]", r.gradients);
  Section(out, "[montagne]", r.spans);
  Section(out, "[cartelli]", r.speed_boards);
  Section(out, "[indicazioni]", r.text_boards);
  Section(out, "[fine]", {});
  return out;
}

std::string TrainText(const Recovery& r) {
  std::string out;
  Section(out, "[generale]", r.train_general);
  Section(out, "[aderenze]", r.adhesion);
  Section(out, "[vel_limite]", r.speeds);
  if (!r.signals_before_stations.empty()) Section(out, "[segnali]", r.signals_before_stations);
  Section(out, "[stazioni]", r.stations);
  Section(out, "[rallentamenti]", r.slow_downs);
  Section(out, "[segnali]", r.signals);
  std::vector<std::string> points;
  for (const BrakingPointRecord& point : r.points) {
    points.push_back(Record("abbattimento", {ProfileProgressive(point.cell), point.value}));
  }
  Section(out, "[abbattimenti]", points);
  Section(out, "[fine]", {});
  return out;
}

}  // namespace tarvosa::decompiler
