// The names of a scenario's files: every one lies in one directory and
// begins with the route title.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace tarvosa {

// Where a scenario's files go and what they are called after.
struct ScenarioPlace {
  std::string route_title;     // the first piece of every file name
  std::string train_title;     // a piece of every name but the line files'
  std::string app_path;        // the directory, as the platform gives it
  char separator = '/';        // between the directory and a file name
  std::string program_name{};  // the installer's own file name; empty for the tool
};

// The directory, the separator and the pieces, joined with nothing between.
// The separator is added without looking at the directory, so the root
// ("/" or "C:\") gives a doubled separator, which the system takes as one.
std::string FileName(const ScenarioPlace& place, std::initializer_list<std::string_view> pieces);

std::string LineDefinitionName(const ScenarioPlace& place);  // Tarvosa_linea.txt
std::string TrainDataName(const ScenarioPlace& place);       // Tarvosa_Corvale-.txt
std::string NotesName(const ScenarioPlace& place);           // Tarvosa_Corvale_note.txt
std::string SlowDownOrderName(const ScenarioPlace& place);   // Tarvosa_Corvale_rallentamenti.txt
std::string TimetableName(const ScenarioPlace& place);       // Tarvosa_Corvale_scheda_treno.txt
std::string LinePlanName(const ScenarioPlace& place);        // Tarvosa_linea.dat
std::string ScenarioTableName(const ScenarioPlace& place);   // Tarvosa_Corvale.sim
std::string TrackCellsName(const ScenarioPlace& place);      // Tarvosa_Corvale.dat
std::string LockName(const ScenarioPlace& place);            // scenari.lock

// Every file a run writes, in the order it writes them.
std::vector<std::string> WrittenFileNames(const ScenarioPlace& place);

}  // namespace tarvosa
