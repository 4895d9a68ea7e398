#include "scenario/skeleton_table.h"

namespace tarvosa::scenario {

// The line: its length and settings, then one record of every kind.
const std::array<std::string_view, 22> kSkeletonLine = {
    "[generale]",
    "lunghezza percorso,    8000",
    "progressiva chilometrica uno,    0,    0,    0",
    "progressiva chilometrica due,    0,    0,    0",
    "progressiva chilometrica tre,    0,    0,    0",
    "sfondo uno,    1",
    "sfondo due,    0",
    "sfondo tre,    0",
    "ripetizione segnali 4 codici,    0,    0",
    "[curve]",
    "curvad2,  2000,  400",
    "[pendenze]",
    "pendenza,     0,    0",
    "pendenza,  3000,    6",
    "pendenza,  5000,    0",
    "[montagne]",
    "montagna,  4000,  4800,  11",
    "[indicazioni]",
    "indicatori_vmax,  1000,  100,  100,  100,  0,  ,  ,  ,  0",
    "[cartelli]",
    "cartello_indicatore,  3950,   (Galleria )(Nuova)",
    "[fine]",
};

// The train: its numbers and clock, the profiles, three stations, a
// slow-down, a signal and a braking point.
const std::array<std::string_view, 22> kSkeletonTrain = {
    "[generale]",
    "numero vetture,    6",
    "percentuale massa frenata,    120",
    "sabbia,    100",
    "orologio,    8    0    0",
    "[aderenze]",
    "aderenza,     0,   85",
    "[vel_limite]",
    "velocita,     0,   30",
    "velocita,  1000,  100",
    "velocita,  6500,   60",
    "[stazioni]",
    "stazione,     0,  8,  500,  1, 0, 0,  4,1,0,  2,1,1,  1,  8, 0, 0, Partenza",
    "stazione,  3500,  2,  300,  0, 0, 0,  0,0,0,  2,1,1,  0,  8, 5, 0, Fermata",
    "stazione,  7500, 25,  400,  0, 0, 0,  0,0,0,  0,0,0,  0,  8,10, 0, Arrivo",
    "[rallentamenti]",
    "rallentamento,  6400,   30,  200,  0,  1,  0",
    "[segnali]",
    "segnale,  2500,   2, 4, 0,  0, 0,    0,  0,0,0, 0",
    "[abbattimenti]",
    "abbattimento,  3000,   80",
    "[fine]",
};

// The author's letter to the driver, shipped with the scenario as its notes.
const std::array<std::string_view, 5> kSkeletonNotes = {
    "    Note dell'autore. Qui si racconta la linea: le sue stazioni, le gallerie, la sua storia.",
    "    Poi come è stato costruito lo scenario: il treno scelto, i rallentamenti, le velocità.",
    "",
    "    Buon viaggio,",
    "    l'autore",
};

}  // namespace tarvosa::scenario
