#include "documents/dati_note.h"

#include "documents/document.h"
#include "documents/file_names.h"
#include "scenario/notes_table.h"

namespace tarvosa {

Status dati_note(Os& os, const ScenarioPlace& place) {
  return scrivi_documento(os, NotesName(place), MakeDocumentTable(scenario::kNotes));
}

}  // namespace tarvosa
