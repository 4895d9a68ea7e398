// The names of the files a run writes, all in the executable's directory.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "app/form.h"

namespace tarvosa {

// The directory, the separator and the pieces, joined with nothing between.
// The separator is added without looking at the directory, so the root
// ("/" or "C:\") gives a doubled separator, which the system takes as one.
std::string FileName(const Form1& form, std::initializer_list<std::string_view> pieces);

std::string LineDefinitionName(const Form1& form);  // Tarvosa_linea.txt
std::string TrainDataName(const Form1& form);       // Tarvosa_Corvale-.txt
std::string NotesName(const Form1& form);           // Tarvosa_Corvale_note.txt
std::string SlowDownOrderName(const Form1& form);   // Tarvosa_Corvale_rallentamenti.txt
std::string TimetableName(const Form1& form);       // Tarvosa_Corvale_scheda_treno.txt
std::string LinePlanName(const Form1& form);        // Tarvosa_linea.dat
std::string ScenarioTableName(const Form1& form);   // Tarvosa_Corvale.sim
std::string TrackCellsName(const Form1& form);      // Tarvosa_Corvale.dat

}  // namespace tarvosa
