// A scenario of an author's own, packaged by the tool as a self-installing
// program and installed by running it as a process, as users start it. The
// tool runs in-process, given the installer to package; as a process it
// finds the installer beside itself.
#include <algorithm>
#include <map>
#include <tuple>

#include <gtest/gtest.h>

#include "documents/payload.h"
#include "test_process.h"
#include "test_support.h"
#include "tool_support.h"

namespace tarvosa {
namespace {

namespace fs = std::filesystem;
using testing::ListDirectory;
using testing::ReadFile;
using testing::WriteFile;

const std::vector<std::string> kLagoFiles = {"Lago_Espresso.dat",
                                             "Lago_Espresso.sim",
                                             "Lago_Espresso_note.txt",
                                             "Lago_Espresso_rallentamenti.txt",
                                             "Lago_Espresso_scheda_treno.txt",
                                             "Lago_linea.dat"};

class ScenarioPackage : public ::testing::Test {
 protected:
  testing::ToolRun Tool(const std::vector<std::string>& arguments) {
    return testing::RunScenario(arguments);
  }
  std::string In(const std::string& file) const { return (work_.path() / file).string(); }

  // The exported example with its files named after the route Lago and the
  // train Espresso.
  void LagoExample() {
    ASSERT_EQ(Tool({"export", In("lago")}).exit_status, 0);
    for (const std::string& file : ListDirectory(work_.path() / "lago")) {
      std::string renamed = file;
      renamed.replace(0, 7, "Lago");
      if (const auto at = renamed.find("Corvale"); at != std::string::npos) {
        renamed.replace(at, 7, "Espresso");
      }
      fs::rename(work_.path() / "lago" / file, work_.path() / "lago" / renamed);
    }
  }
  // `scenario new` under the titles Lago and Espresso.
  void LagoSkeleton() {
    ASSERT_EQ(Tool({"new", In("lago"), "--route", "Lago", "--train", "Espresso"}).exit_status, 0);
  }
  // In-process the tool is not beside the installer: it is given the
  // installer, unless `more` names one.
  testing::ToolRun Package(const std::vector<std::string>& more = {}) {
    std::vector<std::string> arguments = {"package", In("lago"), "-o", In("Lago_Espresso")};
    arguments.insert(arguments.end(), more.begin(), more.end());
    if (std::find(more.begin(), more.end(), "--installer") == more.end()) {
      arguments.insert(arguments.end(), {"--installer", TARVOSA_INSTALLER});
    }
    return Tool(arguments);
  }
  // Runs the packaged program from a directory of its own, started from
  // another working directory.
  testing::ProgramResult Install(const std::string& program = "Lago_Espresso") {
    fs::copy_file(In(program), program_, fs::copy_options::overwrite_existing);
    return testing::RunProgram(program_, work_.path());
  }
  std::map<std::string, std::string> Installed() const {
    std::map<std::string, std::string> files;
    for (const std::string& name : ListDirectory(install_.path())) {
      if (name != program_.filename()) files[name] = ReadFile(install_.path() / name);
    }
    return files;
  }

  testing::ScratchDirectory work_{"autore"};
  testing::ScratchDirectory install_{"Giochi di treni/lago è"};
  fs::path program_ = install_.path() / "Lago_Espresso";
};

TEST_F(ScenarioPackage, TheExampleUnderOtherTitlesInstallsWhatCompileWrites) {
  LagoExample();
  const auto packaged = Package();
  ASSERT_EQ(packaged.exit_status, 0) << packaged.standard_error;
  EXPECT_EQ(packaged.standard_output.rfind(
                "wrote " + In("Lago_Espresso") + ": Lago_Espresso for Linux, ", 0),
            0u)
      << packaged.standard_output;
  EXPECT_NE(fs::status(In("Lago_Espresso")).permissions() & fs::perms::owner_exec, fs::perms::none);

  const auto run = Install();
  EXPECT_EQ(run.exit_status, 0) << run.standard_error;
  EXPECT_EQ(run.standard_error, "Attendere\n");
  const auto installed = Installed();
  std::vector<std::string> names;
  for (const auto& [name, bytes] : installed) names.push_back(name);
  EXPECT_EQ(names, kLagoFiles);
  for (const char* document : {"Lago_Espresso_note.txt", "Lago_Espresso_rallentamenti.txt",
                               "Lago_Espresso_scheda_treno.txt"}) {
    EXPECT_EQ(installed.at(document), ReadFile(work_.path() / "lago" / document)) << document;
  }
  fs::create_directory(In("out"));
  ASSERT_EQ(
      Tool({"compile", In("lago/Lago_linea.txt"), In("lago/Lago_Espresso-.txt"), "-o", In("out")})
          .exit_status,
      0);
  for (const std::string& file : ListDirectory(In("out"))) {
    EXPECT_EQ(installed.at(file), ReadFile(work_.path() / "out" / file)) << file;
  }
  EXPECT_EQ(ListDirectory(work_.path() / "lago").size(), 5u);  // the inputs are left alone
}

// The example's data draws warnings of its own, none of them about its
// documents.
TEST_F(ScenarioPackage, TheExamplesDocumentsAgreeWithItsData) {
  LagoExample();
  const auto packaged = Package();
  EXPECT_EQ(packaged.exit_status, 0) << packaged.standard_error;
  for (const char* document :
       {"Lago_Espresso_rallentamenti.txt", "Lago_Espresso_scheda_treno.txt"}) {
    EXPECT_EQ(packaged.standard_error.find(document), std::string::npos) << packaged.standard_error;
  }
}

// The skeleton with the documents its data gives, then its slow-down at
// 6400 m raised from 30 to 50 km/h, the order left saying 30.
class StaleOrder : public ScenarioPackage {
 protected:
  void SetUp() override {
    LagoSkeleton();
    ASSERT_EQ(Tool({"documents", In("lago/Lago_linea.txt"), In("lago/Lago_Espresso-.txt"), "-o",
                    In("lago")})
                  .exit_status,
              0);
    const auto clean = Package({"--strict"});
    ASSERT_EQ(clean.exit_status, 0) << clean.standard_error;
    ASSERT_EQ(clean.standard_error, "");
    fs::remove(In("Lago_Espresso"));
    std::string train = ReadFile(In("lago/Lago_Espresso-.txt"));
    const std::string_view old = "rallentamento,  6400,   30,";
    const auto at = train.find(old);
    ASSERT_NE(at, std::string::npos);
    train.replace(at, old.size(), "rallentamento,  6400,   50,");
    WriteFile(In("lago/Lago_Espresso-.txt"), train);
  }
  // The speed stands centred in the fourth cell, after " |" and cells of
  // 3, 28 and 12 characters each closed by "|": "30" begins at column 53
  // of the restriction's last row.
  std::string Warning() const {
    const std::string order = ReadFile(In("lago/Lago_Espresso_rallentamenti.txt"));
    const std::size_t row = order.find("|    30    |");
    const auto line = std::count(order.begin(), order.begin() + static_cast<long>(row), '\n') + 1;
    return In("lago/Lago_Espresso_rallentamenti.txt") + ":" + std::to_string(line) +
           ":53: warning: restriction 1 is 30 km/h on the order, 50 km/h in the train data\n";
  }
};

TEST_F(StaleOrder, IsPackagedWithAWarningNamingBothSpeeds) {
  const auto packaged = Package();
  EXPECT_EQ(packaged.exit_status, 0) << packaged.standard_error;
  EXPECT_EQ(packaged.standard_error, Warning());
  EXPECT_TRUE(fs::exists(In("Lago_Espresso")));
}

TEST_F(StaleOrder, IsRefusedWithStrict) {
  const auto refused = Package({"--strict"});
  EXPECT_EQ(refused.exit_status, 2);
  EXPECT_EQ(refused.standard_error, Warning() + "1 warning and --strict: nothing packaged\n");
  EXPECT_FALSE(fs::exists(In("Lago_Espresso")));
}

TEST_F(StaleOrder, RegenerateShipsTheDocumentsOfTheData) {
  const auto packaged = Package({"--regenerate", "--strict"});
  ASSERT_EQ(packaged.exit_status, 0) << packaged.standard_error;
  EXPECT_EQ(packaged.standard_error, "");
  EXPECT_NE(packaged.standard_output.find(
                "; the slow-down order and timetable sheet made from its data\n"),
            std::string::npos);
  ASSERT_EQ(Install().exit_status, 0);
  const auto installed = Installed();
  ASSERT_EQ(Tool({"documents", In("lago/Lago_linea.txt"), In("lago/Lago_Espresso-.txt"), "-o",
                  In("documenti")})
                .exit_status,
            0);
  for (const char* document :
       {"Lago_Espresso_rallentamenti.txt", "Lago_Espresso_scheda_treno.txt"}) {
    EXPECT_EQ(installed.at(document), ReadFile(work_.path() / "documenti" / document)) << document;
  }
  // The order now says 50, in its speed cell.
  EXPECT_NE(installed.at("Lago_Espresso_rallentamenti.txt").find("|    50    |"),
            std::string::npos);
  // The author's notes stay, and the author's files are left alone.
  EXPECT_EQ(installed.at("Lago_Espresso_note.txt"),
            ReadFile(work_.path() / "lago" / "Lago_Espresso_note.txt"));
  EXPECT_NE(ReadFile(In("lago/Lago_Espresso_rallentamenti.txt")).find("|    30    |"),
            std::string::npos);
}

// The sheet made before the train's stop at Fermata moved from 8:05 to
// 8:07. Its row is the second of the station table, under the title, the
// train box of five lines and its rule, a blank line, the table's rule and
// heads: line 11; the departure's cell begins at column 61.
TEST_F(StaleOrder, ASheetTimeTheDataNoLongerGivesIsTold) {
  std::string train = ReadFile(In("lago/Lago_Espresso-.txt"));
  const std::string_view old = "8, 5, 0, Fermata";
  const auto at = train.find(old);
  ASSERT_NE(at, std::string::npos);
  train.replace(at, old.size(), "8, 7, 0, Fermata");
  WriteFile(In("lago/Lago_Espresso-.txt"), train);
  const auto packaged = Package();
  EXPECT_EQ(packaged.exit_status, 0);
  EXPECT_EQ(packaged.standard_error,
            Warning() + In("lago/Lago_Espresso_scheda_treno.txt") +
                ":11:61: warning: the sheet gives 8.05 at 'Fermata', the train data 8:07:00: more "
                "than half a minute apart\n");
}

// "à" is C3 A0 in UTF-8 and E0 in Windows-1252, "°" C2 B0 and B0, "€"
// E2 82 AC and 80.
TEST_F(ScenarioPackage, UtfEightNotesAreInstalledInWindows1252) {
  LagoSkeleton();
  WriteFile(In("lago/Lago_Espresso_note.txt"),
            "    La citt\xC3\xA0 del lago\r\n15\xC2\xB0 e 2 \xE2\x82\xAC\n");
  const auto packaged = Package();
  ASSERT_EQ(packaged.exit_status, 0) << packaged.standard_error;
  ASSERT_EQ(Install().exit_status, 0);
  EXPECT_EQ(Installed().at("Lago_Espresso_note.txt"),
            "    La citt\xE0 del lago\r\n15\xB0 e 2 \x80\r\n");
}

TEST_F(ScenarioPackage, AUtfEightCharacterWithoutAWindows1252ByteIsRefusedAtItsLine) {
  LagoSkeleton();
  // U+2192, the arrow E2 86 92.
  WriteFile(In("lago/Lago_Espresso_note.txt"), "citt\xC3\xA0\r\nda A \xE2\x86\x92 B\r\n");
  const auto refused = Package();
  EXPECT_EQ(refused.exit_status, 2);
  EXPECT_EQ(refused.standard_error, In("lago/Lago_Espresso_note.txt") +
                                        ":2:6: character U+2192 has no Windows-1252 byte (the "
                                        "file is read as UTF-8)\n");
  EXPECT_FALSE(fs::exists(In("Lago_Espresso")));
}

TEST_F(ScenarioPackage, TheProgramPackagesTheInstallerBesideIt) {
  LagoSkeleton();
  const auto packaged = testing::RunProgram(TARVOSA_SCENARIO_TOOL, work_.path(), {},
                                            {"package", In("lago"), "-o", In("beside")});
  ASSERT_EQ(packaged.exit_status, 0) << packaged.standard_error;
  ASSERT_EQ(Package().exit_status, 0);
  // The same program as from the installer named, the one beside the tool.
  EXPECT_EQ(ReadFile(In("beside")), ReadFile(In("Lago_Espresso")));
}

TEST_F(ScenarioPackage, TheDocumentsAScenarioLacksAreMadeFromItsData) {
  LagoSkeleton();
  const auto packaged = Package();
  ASSERT_EQ(packaged.exit_status, 0) << packaged.standard_error;
  EXPECT_NE(packaged.standard_output.find(
                "; the slow-down order and timetable sheet made from its data\n"),
            std::string::npos);
  ASSERT_EQ(Install().exit_status, 0);
  const auto installed = Installed();
  EXPECT_EQ(installed.size(), 6u);
  EXPECT_EQ(installed.at("Lago_Espresso_note.txt"),
            ReadFile(work_.path() / "lago" / "Lago_Espresso_note.txt"));

  const auto made = Tool({"documents", In("lago/Lago_linea.txt"), In("lago/Lago_Espresso-.txt"),
                          "-o", In("documenti")});
  ASSERT_EQ(made.exit_status, 0) << made.standard_error;
  EXPECT_EQ(made.standard_output, "wrote " + In("documenti/Lago_Espresso_rallentamenti.txt") +
                                      " and " + In("documenti/Lago_Espresso_scheda_treno.txt") +
                                      "\n");
  for (const char* document :
       {"Lago_Espresso_rallentamenti.txt", "Lago_Espresso_scheda_treno.txt"}) {
    EXPECT_EQ(installed.at(document), ReadFile(work_.path() / "documenti" / document)) << document;
  }
  // Without notes, the program writes none.
  fs::remove(In("lago/Lago_Espresso_note.txt"));
  ASSERT_EQ(Package({"--force"}).exit_status, 0);
  for (const std::string& name : ListDirectory(install_.path())) fs::remove(install_.path() / name);
  ASSERT_EQ(Install().exit_status, 0);
  EXPECT_EQ(Installed().count("Lago_Espresso_note.txt"), 0u);
  EXPECT_EQ(Installed().size(), 5u);
}

TEST_F(ScenarioPackage, DocumentsNeverReplaceAFileWithoutForce) {
  LagoSkeleton();
  const std::vector<std::string> command = {"documents", In("lago/Lago_linea.txt"),
                                            In("lago/Lago_Espresso-.txt"), "-o", In("lago")};
  ASSERT_EQ(Tool(command).exit_status, 0);
  const std::string timetable = In("lago/Lago_Espresso_scheda_treno.txt");
  WriteFile(timetable, "mine");
  const auto refused = Tool(command);
  EXPECT_EQ(refused.exit_status, 1);
  EXPECT_NE(refused.standard_error.find(timetable + ": exists already; --force replaces it\n"),
            std::string::npos);
  EXPECT_EQ(ReadFile(timetable), "mine");
  std::vector<std::string> forced = command;
  forced.push_back("--force");
  EXPECT_EQ(Tool(forced).exit_status, 0);
  EXPECT_EQ(ReadFile(timetable).substr(0, 47), std::string(32, ' ') + "SCHEDA ORARIO\r\n");
}

TEST_F(ScenarioPackage, AnAuthorsLineEndsAreInstalledAsCrLf) {
  LagoSkeleton();
  const std::string crlf_train = ReadFile(In("lago/Lago_Espresso-.txt"));
  std::string lf_train = crlf_train;
  std::erase(lf_train, '\r');
  lf_train.pop_back();  // and no line end after the last line
  WriteFile(In("lago/Lago_Espresso-.txt"), lf_train);
  WriteFile(In("lago/Lago_Espresso_note.txt"), "    Prima riga\n\nultima riga, senza a capo");
  ASSERT_EQ(Package().exit_status, 0);
  ASSERT_EQ(Install().exit_status, 0);
  EXPECT_EQ(Installed().at("Lago_Espresso_note.txt"),
            "    Prima riga\r\n\r\nultima riga, senza a capo\r\n");

  // The same compiled files as from the files with CR LF throughout.
  const auto from_lf = Installed();
  WriteFile(In("lago/Lago_Espresso-.txt"), crlf_train);
  ASSERT_EQ(Package({"--force"}).exit_status, 0);
  ASSERT_EQ(Install().exit_status, 0);
  for (const char* file : {"Lago_Espresso.dat", "Lago_Espresso.sim", "Lago_linea.dat"}) {
    EXPECT_EQ(Installed().at(file), from_lf.at(file)) << file;
  }
}

// The packaged program's own bytes end where its installer's did.
class DamagedPayload : public ScenarioPackage {
 protected:
  void SetUp() override {
    LagoSkeleton();
    ASSERT_EQ(Package().exit_status, 0);
    program_bytes_ = ReadFile(In("Lago_Espresso"));
  }
  // Runs the program made of `bytes`: it must end with status 1, the
  // message, and nothing written.
  void ExpectRefused(const std::string& bytes, const std::string& reason) {
    WriteFile(In("Lago_Espresso"), bytes);
    const auto run = Install();
    EXPECT_EQ(run.exit_status, 1);
    EXPECT_EQ(run.standard_error, program_.string() + ": " + reason + "\n");
    EXPECT_EQ(ListDirectory(install_.path()), std::vector<std::string>{"Lago_Espresso"});
  }
  const std::size_t installer_size_ = fs::file_size(TARVOSA_INSTALLER);
  std::string program_bytes_;
};

TEST_F(DamagedPayload, APayloadCutShortWritesNothing) {
  const std::size_t body = program_bytes_.size() - installer_size_ - 24;
  ExpectRefused(program_bytes_.substr(0, program_bytes_.size() - 100),
                "its scenario is cut short: " + std::to_string(body - 100) + " of its " +
                    std::to_string(body) + " bytes are there");
  ExpectRefused(program_bytes_.substr(0, installer_size_ + 5),
                "its scenario is cut short: 5 of the 24 bytes of its header are there");
  ExpectRefused(program_bytes_.substr(0, installer_size_),
                "its scenario is cut short: 0 of the 24 bytes of its header are there");
}

TEST_F(DamagedPayload, AFlippedByteWritesNothing) {
  std::string altered = program_bytes_;
  altered[altered.size() - 30] ^= 0x01;
  ExpectRefused(altered, "its scenario has been altered: its checksum does not match its bytes");
  ExpectRefused(program_bytes_ + "x", "its scenario has been altered: 1 bytes follow it");
}

TEST_F(DamagedPayload, AnUnknownVersionWritesNothing) {
  std::string later = program_bytes_;
  later[installer_size_ + 8] = 7;
  ExpectRefused(later, "its scenario is of version 7, and this program reads version 1 only");
}

// A payload made whole again by hand, its checksum right, with a line in
// its last document that the writers would stop at, the line and train
// files written.
TEST_F(DamagedPayload, ALineTheWritersCannotEncodeWritesNothing) {
  Result<ScenarioDocuments> scenario = DecodePayload(program_bytes_.substr(installer_size_));
  ASSERT_TRUE(scenario.ok()) << scenario.status().message();
  std::optional<DocumentLines>& timetable = (*scenario)[DocumentKind::kTimetable];
  ASSERT_TRUE(timetable);
  timetable->insert(timetable->begin(), "ORARIO\r\n");
  ExpectRefused(program_bytes_.substr(0, installer_size_) + EncodePayload(*scenario),
                "its scenario cannot be installed: timetable sheet: line 1, column 7: a line "
                "break inside a line");
}

TEST_F(ScenarioPackage, AScenarioThatDoesNotCompileIsRefused) {
  LagoSkeleton();
  std::string train = ReadFile(In("lago/Lago_Espresso-.txt"));
  train.replace(train.find("velocita,  1000,  100"), 21, "velocita,  1000,  1x0");
  WriteFile(In("lago/Lago_Espresso-.txt"), train);
  const auto refused = Package();
  EXPECT_EQ(refused.exit_status, 2);
  EXPECT_EQ(refused.standard_error,
            In("lago/Lago_Espresso-.txt") +
                ":10:19: error 25: a number was expected for the line speed, found '1x0'\n"
                "    velocita,  1000,  1x0\n"
                "1 error (nothing packaged)\n");
  EXPECT_FALSE(fs::exists(In("Lago_Espresso")));
}

TEST_F(ScenarioPackage, ATrainFileThatReadsNothingIsRefused) {
  LagoSkeleton();
  std::string train = ReadFile(In("lago/Lago_Espresso-.txt"));
  train.erase(train.find("[generale]\r\n"), 12);
  WriteFile(In("lago/Lago_Espresso-.txt"), train);
  const auto refused = Package();
  EXPECT_EQ(refused.exit_status, 2);
  EXPECT_NE(refused.standard_error.find(
                In("lago/Lago_Espresso-.txt") +
                ": no record was read from the train data file; its records must follow a "
                "'[generale]' line (nothing packaged)\n"),
            std::string::npos);
  EXPECT_FALSE(fs::exists(In("Lago_Espresso")));
}

TEST_F(ScenarioPackage, WarningsArePrintedAndRefuseOnlyWithStrict) {
  LagoSkeleton();
  std::string train = ReadFile(In("lago/Lago_Espresso-.txt"));
  train.replace(train.find("velocita,  1000,  100"), 21, "velocita,  1000,  102");
  WriteFile(In("lago/Lago_Espresso-.txt"), train);
  const auto strict = Package({"--strict"});
  EXPECT_EQ(strict.exit_status, 2);
  EXPECT_NE(strict.standard_error.find("warning: a line speed of 102 is stored as 100"),
            std::string::npos);
  EXPECT_NE(strict.standard_error.find("1 warning and --strict: nothing packaged\n"),
            std::string::npos);
  EXPECT_FALSE(fs::exists(In("Lago_Espresso")));
  const auto packaged = Package();
  EXPECT_EQ(packaged.exit_status, 0);
  EXPECT_NE(packaged.standard_error.find("warning: a line speed of 102"), std::string::npos);
}

TEST_F(ScenarioPackage, ADirectoryWithoutOneScenarioIsRefused) {
  fs::create_directory(In("lago"));
  WriteFile(In("lago/Lago_linea.txt"), "[generale]\r\n");
  const auto none = Package();
  EXPECT_EQ(none.exit_status, 1);
  EXPECT_EQ(none.standard_error, In("lago") +
                                     ": no scenario: a line definition file R_linea.txt and a "
                                     "train data file R_T-.txt are needed\n");
  WriteFile(In("lago/Lago_Espresso-.txt"), "[generale]\r\n");
  WriteFile(In("lago/Lago_Rapido-.txt"), "[generale]\r\n");
  const auto two = Package();
  EXPECT_EQ(two.exit_status, 4);
  EXPECT_EQ(two.standard_error, In("lago") +
                                    ": more than one scenario: Lago_Espresso and Lago_Rapido; "
                                    "keep one in the directory\n");
  EXPECT_FALSE(fs::exists(In("Lago_Espresso")));
}

TEST_F(ScenarioPackage, AProgramIsReplacedOnlyWithForce) {
  LagoSkeleton();
  WriteFile(In("Lago_Espresso"), "mine");
  const auto refused = Package();
  EXPECT_EQ(refused.exit_status, 1);
  EXPECT_EQ(refused.standard_error,
            In("Lago_Espresso") + ": exists already; --force replaces it\n");
  EXPECT_EQ(ReadFile(In("Lago_Espresso")), "mine");
  EXPECT_EQ(Package({"--force"}).exit_status, 0);
  EXPECT_NE(ReadFile(In("Lago_Espresso")), "mine");
}

// Route Val_Verde with train Espresso and route Val with train
// Verde_Espresso name their table and track alike: the second program
// installed beside the first leaves the first's files as they are.
TEST_F(ScenarioPackage, TwoScenariosWhoseNamesMeetDoNotReplaceEachOthersFiles) {
  for (const auto& [directory, route, train] :
       {std::tuple{"primo", "Val_Verde", "Espresso"}, {"secondo", "Val", "Verde_Espresso"}}) {
    ASSERT_EQ(Tool({"new", In(directory), "--route", route, "--train", train}).exit_status, 0);
    ASSERT_EQ(Tool({"package", In(directory), "-o", In(directory + std::string(".bin")),
                    "--installer", TARVOSA_INSTALLER})
                  .exit_status,
              0);
    fs::copy_file(In(directory + std::string(".bin")), install_.path() / directory);
  }
  const auto first = testing::RunProgram(install_.path() / "primo", work_.path());
  ASSERT_EQ(first.exit_status, 0) << first.standard_error;
  std::map<std::string, std::string> before;
  for (const std::string& name : ListDirectory(install_.path())) {
    before[name] = ReadFile(install_.path() / name);
  }
  ASSERT_TRUE(before.count("Val_Verde_Espresso.sim"));

  const auto second = testing::RunProgram(install_.path() / "secondo", work_.path());
  EXPECT_EQ(second.exit_status, 1);
  EXPECT_EQ(second.standard_error, "Attendere\n" +
                                       (install_.path() / "Val_Verde_Espresso.sim").string() +
                                       ": belongs to another scenario (the route 'Val_Verde' and "
                                       "the train 'Espresso'); it is not replaced\n");
  std::map<std::string, std::string> after;
  for (const std::string& name : ListDirectory(install_.path())) {
    after[name] = ReadFile(install_.path() / name);
  }
  EXPECT_EQ(after, before);
  // Each reinstalls its own.
  EXPECT_EQ(testing::RunProgram(install_.path() / "primo", work_.path()).exit_status, 0);
}

TEST_F(ScenarioPackage, OnlyAnInstallerAsBuiltOfTheRightSystemIsPackaged) {
  LagoSkeleton();
  const auto missing = Package({"--installer", In("nowhere.exe"), "--windows"});
  EXPECT_EQ(missing.exit_status, 1);
  EXPECT_EQ(missing.standard_error, "the installer of the Windows build is missing (looked for " +
                                        In("nowhere.exe") +
                                        "); build it, or give its place with --installer\n");
  const auto linux_one = Package({"--installer", TARVOSA_INSTALLER, "--windows"});
  EXPECT_EQ(linux_one.exit_status, 4);
  EXPECT_EQ(linux_one.standard_error,
            std::string(TARVOSA_INSTALLER) +
                ": not a Windows program; --windows packages the installer of the Windows build\n");
  ASSERT_EQ(Package().exit_status, 0);
  fs::copy_file(In("Lago_Espresso"), In("packaged"));
  const auto again = Package({"--installer", In("packaged"), "--force"});
  EXPECT_EQ(again.exit_status, 4);
  EXPECT_EQ(again.standard_error,
            In("packaged") + ": carries a scenario already; package the installer as built\n");
  WriteFile(In("other"),
            "\x7F"
            "ELF not an installer");
  EXPECT_EQ(
      Package({"--installer", In("other"), "--force"}).standard_error,
      In("other") + ": not an installer that can carry a scenario (it has no slot for one)\n");
}

}  // namespace
}  // namespace tarvosa
