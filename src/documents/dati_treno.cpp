#include "documents/dati_treno.h"

#include "documents/document.h"
#include "documents/file_names.h"
#include "scenario/train_table.h"

namespace tarvosa {

Status dati_treno(Os& os, const ScenarioPlace& place) {
  return scrivi_documento(os, TrainDataName(place), MakeDocumentTable(scenario::kTrainData));
}

}  // namespace tarvosa
