#include "packaging/document_agreement.h"

#include "documents/document_check.h"

namespace tarvosa::packaging {

std::vector<std::string> DocumentWarnings(const CompiledScenario& compiled,
                                          const ScenarioDocuments& scenario,
                                          const ScenarioPlace& place) {
  const RouteFacts facts = FactsOf(compiled);
  std::vector<std::string> warnings;
  const auto tell = [&](DocumentKind kind, const std::vector<DocumentFinding>& findings) {
    const std::string name = DocumentName(kind, place);
    for (const DocumentFinding& f : findings) {
      warnings.push_back(name + ":" + std::to_string(f.line) + ":" + std::to_string(f.column) +
                         ": warning: " + f.text);
    }
  };
  if (const auto& order = scenario[DocumentKind::kSlowDownOrder]) {
    tell(DocumentKind::kSlowDownOrder, CheckSlowDownOrder(*order, facts));
  }
  if (const auto& sheet = scenario[DocumentKind::kTimetable]) {
    tell(DocumentKind::kTimetable, CheckTimetable(*sheet, facts));
  }
  return warnings;
}

}  // namespace tarvosa::packaging
