#include "documents/dati_rallentamenti.h"

#include "documents/document.h"
#include "documents/file_names.h"
#include "scenario/slow_down_order_table.h"

namespace tarvosa {

Status dati_rallentamenti(Os& os, const ScenarioPlace& place) {
  return scrivi_documento(os, SlowDownOrderName(place),
                          MakeDocumentTable(scenario::kSlowDownOrder));
}

}  // namespace tarvosa
