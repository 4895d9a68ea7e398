#include "documents/file_names.h"

namespace tarvosa {

std::string FileName(const ScenarioPlace& place, std::initializer_list<std::string_view> pieces) {
  std::string name = place.app_path;
  name += place.separator;
  for (std::string_view piece : pieces) name += piece;
  return name;
}

std::string LineDefinitionName(const ScenarioPlace& f) {
  return FileName(f, {f.route_title, "_linea.txt"});
}

std::string TrainDataName(const ScenarioPlace& f) {
  return FileName(f, {f.route_title, "_", f.train_title, "-.txt"});
}

std::string NotesName(const ScenarioPlace& f) {
  return FileName(f, {f.route_title, "_", f.train_title, "_", "note.txt"});
}

std::string SlowDownOrderName(const ScenarioPlace& f) {
  return FileName(f, {f.route_title, "_", f.train_title, "_", "rallentamenti.txt"});
}

std::string TimetableName(const ScenarioPlace& f) {
  return FileName(f, {f.route_title, "_", f.train_title, "_", "scheda_treno.txt"});
}

std::string LinePlanName(const ScenarioPlace& f) {
  return FileName(f, {f.route_title, "_linea.dat"});
}

std::string ScenarioTableName(const ScenarioPlace& f) {
  return FileName(f, {f.route_title, "_", f.train_title, ".sim"});
}

std::string TrackCellsName(const ScenarioPlace& f) {
  return FileName(f, {f.route_title, "_", f.train_title, ".dat"});
}

// One name for every scenario: two scenarios whose names meet (route
// Val_Verde and train Espresso, route Val and train Verde_Espresso) meet
// at one lock too.
std::string LockName(const ScenarioPlace& f) {
  return FileName(f, {"scenari.lock"});
}

std::vector<std::string> WrittenFileNames(const ScenarioPlace& f) {
  return {LineDefinitionName(f), TrainDataName(f), NotesName(f),         SlowDownOrderName(f),
          TimetableName(f),      LinePlanName(f),  ScenarioTableName(f), TrackCellsName(f)};
}

}  // namespace tarvosa
