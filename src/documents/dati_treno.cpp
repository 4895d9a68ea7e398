#include "documents/dati_treno.h"

#include "app/document.h"
#include "app/file_names.h"
#include "scenario/train_table.h"

namespace tarvosa {

Status dati_treno(const Form1& form) {
  return scrivi_documento(TrainDataName(form), MakeDocumentTable(scenario::kTrainData));
}

}  // namespace tarvosa
