#include "documents/scenario_names.h"

#include <gtest/gtest.h>

namespace tarvosa {
namespace {

std::string Said(const Status& status) {
  return status.ok() ? "ok" : status.message();
}

ScenarioPlace Place(std::string route, std::string train, std::string program = "") {
  return ScenarioPlace{.route_title = std::move(route),
                       .train_title = std::move(train),
                       .app_path = "/giochi",
                       .program_name = std::move(program)};
}

TEST(ScenarioNames, TheNamesAreTheEightFilesTheLockAndTheProgram) {
  const std::vector<ScenarioName> names = ScenarioNames(Place("Lago", "Espresso", "Lago_Espresso"));
  std::vector<std::string> listed;
  for (const ScenarioName& file : names) {
    listed.push_back(std::string(file.what) + " " + file.name + (file.written ? " *" : ""));
  }
  EXPECT_EQ(listed, (std::vector<std::string>{
                        "line definition file Lago_linea.txt *",
                        "train data file Lago_Espresso-.txt *",
                        "notes Lago_Espresso_note.txt *",
                        "slow-down order Lago_Espresso_rallentamenti.txt *",
                        "timetable sheet Lago_Espresso_scheda_treno.txt *",
                        "line plan Lago_linea.dat *",
                        "scenario table Lago_Espresso.sim *",
                        "track cells Lago_Espresso.dat *",
                        "lock scenari.lock",
                        "program Lago_Espresso",
                    }));
  EXPECT_EQ(ScenarioNames(Place("Lago", "Espresso")).size(), 9u);  // the tool has no program
}

TEST(ScenarioNames, ScenariosWhoseNamesAllDifferAreTaken) {
  EXPECT_EQ(Said(ScenarioNamesProblem(Place("Tarvosa", "Corvale", "Tarvosa_Corvale"))), "ok");
  EXPECT_EQ(Said(ScenarioNamesProblem(Place("Lago di Còmo", "Città", "Lago.exe"))), "ok");
  EXPECT_EQ(Said(ScenarioNamesProblem(Place("Lago", "lineare"))), "ok");
}

TEST(ScenarioNames, TwoNamesOfOneFileAreRefusedNamingBoth) {
  const struct {
    ScenarioPlace place;
    std::string reason;
  } cases[] = {
      {Place("Lago", "linea"),
       "the line plan 'Lago_linea.dat' and the track cells 'Lago_linea.dat' would be one file"},
      {Place("Lago", "LINEA"),
       "the line plan 'Lago_linea.dat' and the track cells 'Lago_LINEA.dat' would be one file "
       "(Windows does not tell capitals from small letters)"},
      {Place("Lago", "Linea"),
       "the line plan 'Lago_linea.dat' and the track cells 'Lago_Linea.dat' would be one file "
       "(Windows does not tell capitals from small letters)"},
      {Place("Lago", "Espresso", "Lago_linea.dat"),
       "the line plan 'Lago_linea.dat' and the program 'Lago_linea.dat' would be one file"},
      {Place("Lago", "Espresso", "LAGO_ESPRESSO.SIM"),
       "the scenario table 'Lago_Espresso.sim' and the program 'LAGO_ESPRESSO.SIM' would be one "
       "file (Windows does not tell capitals from small letters)"},
      {Place("Lago", "Espresso", "Lago_Espresso_note.txt"),
       "the notes 'Lago_Espresso_note.txt' and the program 'Lago_Espresso_note.txt' would be one "
       "file"},
      {Place("Lago", "Espresso", "Lago_linea.txt"),
       "the line definition file 'Lago_linea.txt' and the program 'Lago_linea.txt' would be one "
       "file"},
      {Place("Lago", "Espresso", "Scenari.LOCK"),
       "the lock 'scenari.lock' and the program 'Scenari.LOCK' would be one file (Windows does "
       "not tell capitals from small letters)"},
  };
  for (const auto& [place, reason] : cases) {
    EXPECT_EQ(Said(ScenarioNamesProblem(place)), reason) << place.train_title;
  }
}

// A run removes what killed runs left of its files: a program named so
// would remove itself.
TEST(ScenarioNames, AProgramNamedAsATemporaryFileOfAnotherIsRefused) {
  for (const std::string program :
       {"Lago_linea.dat.1a2b3c4d.partial", "LAGO_LINEA.DAT.1A2B3C4D.PARTIAL"}) {
    EXPECT_EQ(Said(ScenarioNamesProblem(Place("Lago", "Espresso", program))),
              "the program '" + program +
                  "' would be taken for a temporary file of the line plan 'Lago_linea.dat' and "
                  "removed");
  }
  // Not the pattern a run removes: eight hexadecimal digits exactly.
  EXPECT_EQ(Said(ScenarioNamesProblem(Place("Lago", "Espresso", "Lago_linea.dat.1a2b3c4.partial"))),
            "ok");
  EXPECT_EQ(
      Said(ScenarioNamesProblem(Place("Lago", "Espresso", "Lago_linea.dat.1a2b3c4g.partial"))),
      "ok");
}

TEST(ScenarioNames, TitlesAndNamesThatAreNotPortableAreRefused) {
  const struct {
    ScenarioPlace place;
    std::string reason;
  } cases[] = {
      {Place("", "Espresso"), "the route title '': the title is empty"},
      {Place("Lago", std::string("Es\0presso", 9)),
       "the train title 'Es" + std::string(1, '\0') +
           "presso': the title holds a control character"},
      {Place("../../etc/Lago", "Espresso"),
       "the route title '../../etc/Lago': the title holds '/', which a file name cannot hold"},
      {Place("..", "Espresso"), "ok"},  // ".._linea.txt": no way out without a separator
      {Place("Lago", "..\\..\\x"),
       "the train title '..\\..\\x': the title holds '\\', which a file name cannot hold"},
      {Place("Lago\r", "Espresso"),
       "the route title 'Lago\r': the title holds a control character"},
      {Place("CON", "Espresso"),
       "the route title 'CON': the title is 'CON', which Windows keeps "
       "for a device"},
      {Place("Lago", "nul.x"),
       "the train title 'nul.x': the title is 'nul', which Windows keeps "
       "for a device"},
      {Place("NUL.x", "Espresso"),
       "the route title 'NUL.x': the title is 'NUL', which Windows "
       "keeps for a device"},
      {Place("Lago", "Espresso", "COM1.exe"),
       "the program 'COM1.exe': the name begins with 'COM1', which Windows keeps for a device"},
      {Place("Lago", "Espresso", "Lago\x1B[2J"),
       "the program 'Lago\x1B[2J': the name holds the control character 0x1B"},
      {Place("Lago", "Espresso", std::string(256, 'p')),
       "the program '" + std::string(256, 'p') + "': the name is longer than 255 bytes"},
  };
  for (const auto& [place, reason] : cases) {
    EXPECT_EQ(Said(ScenarioNamesProblem(place)), reason) << place.route_title;
  }
}

TEST(ScenarioNames, TheLongestTitlesLeaveRoomForTheTemporaryNames) {
  // A 100-byte route and train make names of 219 bytes, and temporary
  // names of 17 more; the program's name has no temporary file.
  EXPECT_EQ(Said(ScenarioNamesProblem(
                Place(std::string(100, 'r'), std::string(100, 't'), std::string(255, 'p')))),
            "ok");
}

}  // namespace
}  // namespace tarvosa
