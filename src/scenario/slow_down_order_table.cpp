// The written slow-down order handed to the driver, one entry a line,
// exactly as written: every table line is 82 characters.
#include "scenario/slow_down_order_table.h"

namespace tarvosa::scenario {

// clang-format off
constexpr std::array<std::string_view, kSlowDownOrderLines> kSlowDownOrder = {
    R"()",
    R"(                               Modulo M. 3)",
    R"(                           ORDINE DI RALLENTAMENTO)",
    R"( ________________________________________________________________________________)",
    R"(  Linea  ROMA - NAPOLI)",
    R"()",
    R"(  Si ordina al macchinista del treno Corvale  di effettuare i seguenti rallentamenti)",
    R"(  _______________________________________________________________________________)",
    R"( |   |                            |Inizio dopo |          |         |            |)",
    R"( | N.|      FRA LE STAZIONI       | il cippo   | Velocita'|Lunghezza|Prescrizioni|)",
    R"( |   |   (o nelle Stazioni di)    |chilometrico|          |   metri | specifiche |)",
    R"( |___|____________________________|____________|__________|_________|____________|)",
    R"( | 1 |Interessa deviatoio comuni- |            |          |         |            |)",
    R"( |   |cazione da binario pari a   |            |          |         |            |)",
    R"( |   |binario dispari in ingresso |            |          |         |            |)",
    R"( |   |stazione di Pozzuoli S.     |  201.000   |    15    |   100   |     A      |)",
    R"( |   |                            |            |          |         |            |)",
    R"( |   |                            |            |          |         |            |)",
    R"( |   |                            |            |          |         |            |)",
    R"( |   |                            |            |          |         |            |)",
    R"( |   |                            |            |          |         |            |)",
    R"( |   |                            |            |          |         |            |)",
    R"( |   |                            |            |          |         |            |)",
    R"( |   |                            |            |          |         |            |)",
    R"( |   |                            |            |          |         |            |)",
    R"( |   |                            |            |          |         |            |)",
    R"( |   |                            |            |          |         |            |)",
    R"( |   |                            |            |          |         |            |)",
    R"( |   |                            |            |          |         |            |)",
    R"( |   |                            |            |          |         |            |)",
    R"( |   |                            |            |          |         |            |)",
    R"( |   |                            |            |          |         |            |)",
    R"( |   |                            |            |          |         |            |)",
    R"( |   |                            |            |          |         |            |)",
    R"( |   |                            |            |          |         |            |)",
    R"( |   |                            |            |          |         |            |)",
    R"( |   |                            |            |          |         |            |)",
    R"( |   |                            |            |          |         |            |)",
    R"( |___|____________________________|____________|__________|_________|____________|)",
    R"()",
    R"(              Prescrizioni specifiche)",
    R"( A - Da rispettare con tutto il treno (per i treni viaggiatori))",
    R"( B - Interessa anche la stazione di.......)",
    R"( D - Rallentamneto N. ... e N. ...  sono contigui)",
    R"( C - Da rispettare dalle ore ....  alle ore ..... di tutti)",
    R"(     i giorni esclusi i seguenti:.........)",
};
// clang-format on

}  // namespace tarvosa::scenario
