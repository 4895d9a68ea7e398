#include "documents/dati_linea.h"

#include "documents/document.h"
#include "documents/file_names.h"
#include "scenario/line_table.h"

namespace tarvosa {

Status dati_linea(Os& os, const ScenarioPlace& place) {
  return scrivi_documento(os, LineDefinitionName(place),
                          MakeDocumentTable(scenario::kLineDefinition));
}

}  // namespace tarvosa
