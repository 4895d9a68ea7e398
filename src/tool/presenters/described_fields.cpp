#include "tool/presenters/described_fields.h"

#include <cstdio>
#include <cstdlib>

namespace tarvosa::tool {

Field NumberField(std::string key, std::string label, std::int64_t value, const std::string& unit) {
  std::string shown = std::to_string(value);
  if (!unit.empty()) shown += " " + unit;
  return {std::move(key), std::move(label), value, std::move(shown)};
}

std::string FieldsText(const Fields& fields) {
  std::string text;
  for (const Field& field : fields) {
    if (field.quiet) continue;
    if (!text.empty()) text += ", ";
    text += field.label.empty() ? field.shown : field.label + " " + field.shown;
  }
  return text;
}

Json FieldsObject(const Fields& fields) {
  Json object = Json::object();
  for (const Field& field : fields) object[field.key] = field.value;
  return object;
}

std::string Clock(std::int64_t seconds) {
  const std::int64_t whole = std::llabs(seconds);
  char text[40];
  std::snprintf(text, sizeof text, "%s%02lld:%02lld:%02lld", seconds < 0 ? "-" : "",
                static_cast<long long>(whole / 3600), static_cast<long long>(whole / 60 % 60),
                static_cast<long long>(whole % 60));
  return text;
}

}  // namespace tarvosa::tool
