#include "documents/dati_linea.h"

#include "app/document.h"
#include "app/file_names.h"
#include "scenario/line_table.h"

namespace tarvosa {

Status dati_linea(const Form1& form) {
  return scrivi_documento(LineDefinitionName(form), MakeDocumentTable(scenario::kLineDefinition));
}

}  // namespace tarvosa
