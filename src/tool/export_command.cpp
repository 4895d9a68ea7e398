#include "tool/export_command.h"

#include <cstdio>
#include <filesystem>

#include "documents/dati_linea.h"
#include "documents/dati_note.h"
#include "documents/dati_rallentamenti.h"
#include "documents/dati_scheda.h"
#include "documents/dati_treno.h"
#include "tool/compile_command.h"
#include "util/files.h"

namespace tarvosa::tool {

int RunExport(const std::string& directory) {
  std::error_code error;
  std::filesystem::create_directories(PathFromUtf8(directory), error);
  const ScenarioPlace place{
      .route_title = "Tarvosa", .train_title = "Corvale", .app_path = directory};
  for (Status (*writer)(const ScenarioPlace&) :
       {dati_linea, dati_treno, dati_note, dati_rallentamenti, dati_scheda}) {
    if (const Status s = writer(place); !s.ok()) {
      std::fprintf(stderr, "%s\n", s.message().c_str());
      return s.kind() == ExitStatus::kFileSystem ? kFileSystem : kDataError;
    }
  }
  return kClean;
}

}  // namespace tarvosa::tool
