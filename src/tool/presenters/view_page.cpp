#include "tool/presenters/view_page.h"

#include <initializer_list>
#include <string_view>
#include <utility>

#include "tool/presenters/view_assets.h"
#include "util/escape.h"

namespace tarvosa::tool {
namespace {

// The chart library without its banner comment, which names where it came
// from: the page refers to nothing outside itself.
std::string_view ChartScript() {
  std::string_view script = kChartScript;
  if (script.starts_with("/*!")) script.remove_prefix(script.find('\n') + 1);
  return script;
}

// `page` with each mark replaced by its text, the marks in the order they
// stand: a text put in is never searched for marks, whatever it holds.
std::string Filled(std::string_view page,
                   std::initializer_list<std::pair<std::string_view, std::string_view>> fills) {
  std::string out;
  for (const auto& [mark, text] : fills) {
    const std::size_t at = page.find(mark);
    if (at == std::string_view::npos) continue;
    out.append(page.substr(0, at)).append(text);
    page.remove_prefix(at + mark.size());
  }
  return out.append(page);
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

std::string ViewPage(const Json& data) {
  // A text of other bytes than UTF-8 (a file name) goes in with U+FFFD.
  const std::string json =
      EscapeJsonInScript(data.dump(-1, ' ', false, Json::error_handler_t::replace));
  const std::string title = EscapeHtml(data.value("title", std::string("scenario")));
  // Inside a comment no "--" may stand.
  const std::string licence = Separated(kChartLicence, '-', '-', ' ');
  return Filled(kViewPage, {{"/*TITLE*/", title},
                            {"/*UPLOT_LICENSE*/", licence},
                            {"/*UPLOT_CSS*/", kChartStyle},
                            {"/*VIEW_CSS*/", kViewStyle},
                            {"/*ERRORS_CSS*/", kErrorsStyle},
                            {"/*PRINT_CSS*/", kPrintStyle},
                            {"/*SCENARIO_DATA*/", json},
                            {"/*UPLOT_JS*/", ChartScript()},
                            {"/*GESTURES_JS*/", kViewGestures},
                            {"/*LEGEND_JS*/", kViewLegend},
                            {"/*CHART_MARKS_JS*/", kViewChartMarks},
                            {"/*IN_FORCE_JS*/", kViewInForce},
                            {"/*RUN_JS*/", kViewRun},
                            {"/*CHART_GUIDES_JS*/", kViewChartGuides},
                            {"/*PLAN_JS*/", kViewPlan},
                            {"/*READOUT_JS*/", kViewReadout},
                            {"/*CHARTS_JS*/", kViewCharts},
                            {"/*NAVIGATION_JS*/", kViewNavigation},
                            {"/*LISTS_JS*/", kViewLists},
                            {"/*VIEW_JS*/", kViewScript},
                            {"/*WATCH_JS*/", kWatchScript},
                            {"/*ERRORS_JS*/", kErrorsScript},
                            {"/*PRINT_JS*/", kPrintScript}});
}

}  // namespace tarvosa::tool
