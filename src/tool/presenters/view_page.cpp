#include "tool/presenters/view_page.h"

#include <string_view>

#include "tool/presenters/view_assets.h"

namespace tarvosa::tool {
namespace {

// The chart library without its banner comment, which names where it came
// from: the page refers to nothing outside itself.
std::string_view ChartScript() {
  std::string_view script = kChartScript;
  if (script.starts_with("/*!")) script.remove_prefix(script.find('\n') + 1);
  return script;
}

void Replace(std::string& page, std::string_view mark, std::string_view with) {
  const std::size_t at = page.find(mark);
  if (at != std::string::npos) page.replace(at, mark.size(), with);
}

// `text` with `between` put between every `first` and the `second` that
// follows it.
std::string Separated(std::string_view text, char first, char second, char between) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    out += text[i];
    if (text[i] == first && i + 1 < text.size() && text[i + 1] == second) out += between;
  }
  return out;
}

}  // namespace

Result<std::string> ViewPage(const Json& data) {
  std::string json;
  try {
    json = data.dump();
  } catch (const Json::exception& failure) {
    return Status::DataError(std::string("the view's data cannot be written: ") + failure.what());
  }
  // Inside a script element no "</" may stand, inside a comment no "--".
  json = Separated(json, '<', '/', '\\');
  const std::string licence = Separated(kChartLicence, '-', '-', ' ');
  std::string page(kViewPage);
  Replace(page, "/*TITLE*/", data.value("title", std::string("scenario")));
  Replace(page, "/*UPLOT_LICENSE*/", licence);
  Replace(page, "/*UPLOT_CSS*/", kChartStyle);
  Replace(page, "/*VIEW_CSS*/", kViewStyle);
  Replace(page, "/*SCENARIO_DATA*/", json);
  Replace(page, "/*UPLOT_JS*/", ChartScript());
  Replace(page, "/*VIEW_JS*/", kViewScript);
  return page;
}

}  // namespace tarvosa::tool
