#include "packaging/made_documents.h"

#include "documents/generated_slow_down_order.h"
#include "documents/generated_timetable.h"

namespace tarvosa::packaging {

std::vector<DocumentKind> AddMadeDocuments(const CompiledScenario& compiled,
                                           ScenarioDocuments& scenario, Making making) {
  const RouteFacts facts = FactsOf(compiled);
  const bool both = making == Making::kBoth;
  std::vector<DocumentKind> made;
  if (both || !scenario[DocumentKind::kSlowDownOrder]) {
    scenario[DocumentKind::kSlowDownOrder] = GenerateSlowDownOrder(facts, scenario.train_title);
    made.push_back(DocumentKind::kSlowDownOrder);
  }
  if (both || !scenario[DocumentKind::kTimetable]) {
    scenario[DocumentKind::kTimetable] = GenerateTimetable(facts, scenario.train_title);
    made.push_back(DocumentKind::kTimetable);
  }
  return made;
}

}  // namespace tarvosa::packaging
