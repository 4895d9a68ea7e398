// The files of the scenario view, embedded by the build: the page, its
// scripts (the start-up, the plan, the readout, the charts, navigation and
// the lists, with their helpers) and style, its watching, error marks and
// printed profile, the run of a train, and the chart library with its licence.
#pragma once

#include <string_view>

namespace tarvosa::tool {

extern const std::string_view kViewPage;
extern const std::string_view kViewScript;
extern const std::string_view kViewGestures;
extern const std::string_view kViewLegend;
extern const std::string_view kViewChartMarks;
extern const std::string_view kViewInForce;
extern const std::string_view kViewRun;
extern const std::string_view kViewChartGuides;
extern const std::string_view kViewPlan;
extern const std::string_view kViewReadout;
extern const std::string_view kViewCharts;
extern const std::string_view kViewNavigation;
extern const std::string_view kViewLists;
extern const std::string_view kViewStyle;
extern const std::string_view kWatchScript;
extern const std::string_view kErrorsScript;
extern const std::string_view kErrorsStyle;
extern const std::string_view kPrintScript;
extern const std::string_view kPrintStyle;
extern const std::string_view kChartScript;
extern const std::string_view kChartStyle;
extern const std::string_view kChartLicence;

}  // namespace tarvosa::tool
