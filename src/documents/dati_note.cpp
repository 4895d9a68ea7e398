#include "documents/dati_note.h"

#include "app/document.h"
#include "app/file_names.h"
#include "scenario/notes_table.h"

namespace tarvosa {

Status dati_note(const Form1& form) {
  return scrivi_documento(NotesName(form), MakeDocumentTable(scenario::kNotes));
}

}  // namespace tarvosa
