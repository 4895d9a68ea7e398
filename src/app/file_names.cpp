#include "app/file_names.h"

namespace tarvosa {

std::string FileName(const Form1& form, std::initializer_list<std::string_view> pieces) {
  std::string name = form.app_path;
  name += form.separator;
  for (std::string_view piece : pieces) name += piece;
  return name;
}

std::string LineDefinitionName(const Form1& f) {
  return FileName(f, {f.route_title, "_linea.txt"});
}

std::string TrainDataName(const Form1& f) {
  return FileName(f, {f.route_title, "_", f.train_title, "-.txt"});
}

std::string NotesName(const Form1& f) {
  return FileName(f, {f.route_title, "_", f.train_title, "_", "note.txt"});
}

std::string SlowDownOrderName(const Form1& f) {
  return FileName(f, {f.route_title, "_", f.train_title, "_", "rallentamenti.txt"});
}

std::string TimetableName(const Form1& f) {
  return FileName(f, {f.route_title, "_", f.train_title, "_", "scheda_treno.txt"});
}

std::string LinePlanName(const Form1& f) {
  return FileName(f, {f.route_title, "_linea.dat"});
}

std::string ScenarioTableName(const Form1& f) {
  return FileName(f, {f.route_title, "_", f.train_title, ".sim"});
}

std::string TrackCellsName(const Form1& f) {
  return FileName(f, {f.route_title, "_", f.train_title, ".dat"});
}

}  // namespace tarvosa
