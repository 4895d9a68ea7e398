#include "documents/dati_scheda.h"

#include "documents/document.h"
#include "documents/file_names.h"
#include "scenario/timetable_table.h"

namespace tarvosa {

Status dati_scheda(Os& os, const ScenarioPlace& place) {
  return scrivi_documento(os, TimetableName(place), MakeDocumentTable(scenario::kTimetable));
}

}  // namespace tarvosa
