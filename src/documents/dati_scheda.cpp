#include "documents/dati_scheda.h"

#include "documents/document.h"
#include "documents/file_names.h"
#include "scenario/timetable_table.h"

namespace tarvosa {

Status dati_scheda(Os& os, const ScenarioPlace& place) {
  return scrivi_documento(os, TimetableName(place), MakeDocumentTable(scenario::kTimetable));
}

Status dati_scheda(const ScenarioPlace& place) {
  return dati_scheda(DefaultOs(), place);
}

}  // namespace tarvosa
