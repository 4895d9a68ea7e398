// Whether a driver's document and the train data name the same station.
// Documents write names as drivers read them: in capitals, with "_" for a
// blank in underlined rows, abbreviated ("P.ZA" for "Piazza") and cut to
// their first words where a column is narrow.
#pragma once

#include <string>
#include <string_view>

namespace tarvosa {

// `name` in capitals with every run of blanks, "_" and "-" as one blank,
// none at either end (UTF-8; the Windows-1252 letters too).
std::string StationKey(std::string_view name);

// Whether `written`, a name on a document, names the station the data
// calls `data`. Case does not count, and "_" and "-" are blanks. A "."
// on the document stands for letters it leaves out ("NAPOLI P.ZA LEOP."
// for "Napoli Piazza Leopardi"), and either name may stop where a word of
// the other ends ("CAVALLEGGERI" for "Cavalleggeri d'Aosta"). Names of
// more than 64 bytes must be the same whole.
bool SameStation(std::string_view written, std::string_view data);

}  // namespace tarvosa
