#include "documents/dati_rallentamenti.h"

#include "app/document.h"
#include "app/file_names.h"
#include "scenario/slow_down_order_table.h"

namespace tarvosa {

Status dati_rallentamenti(const Form1& form) {
  return scrivi_documento(SlowDownOrderName(form), MakeDocumentTable(scenario::kSlowDownOrder));
}

}  // namespace tarvosa
