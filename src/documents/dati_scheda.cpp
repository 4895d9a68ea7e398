#include "documents/dati_scheda.h"

#include "app/document.h"
#include "app/file_names.h"
#include "scenario/timetable_table.h"

namespace tarvosa {

Status dati_scheda(const Form1& form) {
  return scrivi_documento(TimetableName(form), MakeDocumentTable(scenario::kTimetable));
}

}  // namespace tarvosa
