// The tool refuses titles whose files would clash or could not be named on
// every system, before it writes anything: new, compile, documents,
// decompile and package, each with a data error.
#include <gtest/gtest.h>

#include "test_support.h"
#include "tool_support.h"

namespace tarvosa {
namespace {

namespace fs = std::filesystem;
using testing::ListDirectory;

const std::string kTrainLinea =
    "the titles 'Lago' and 'linea' cannot name the scenario's files: the line plan "
    "'Lago_linea.dat' and the track cells 'Lago_linea.dat' would be one file\n";

class ScenarioNamesTool : public ::testing::Test {
 protected:
  testing::ToolRun Run(const std::vector<std::string>& arguments) {
    return testing::RunScenario(arguments);
  }
  std::string In(const std::string& file) const { return (work_.path() / file).string(); }

  // `scenario new` under the titles Lago and Espresso, its files then named
  // after the train `train`.
  void LagoAs(const std::string& directory, const std::string& train) {
    ASSERT_EQ(Run({"new", In(directory), "--route", "Lago", "--train", "Espresso"}).exit_status, 0);
    fs::rename(In(directory + "/Lago_Espresso-.txt"), In(directory + "/Lago_" + train + "-.txt"));
    fs::rename(In(directory + "/Lago_Espresso_note.txt"),
               In(directory + "/Lago_" + train + "_note.txt"));
  }

  testing::ScratchDirectory work_{"autore"};
};

TEST_F(ScenarioNamesTool, NewRefusesATrainNamedAfterTheLineAndADeviceName) {
  const struct {
    std::vector<std::string> titles;
    std::string said;
  } cases[] = {
      {{"--route", "Lago", "--train", "linea"}, kTrainLinea},
      {{"--route", "Lago", "--train", "LINEA"},
       "the titles 'Lago' and 'LINEA' cannot name the scenario's files: the line plan "
       "'Lago_linea.dat' and the track cells 'Lago_LINEA.dat' would be one file (Windows does not "
       "tell capitals from small letters)\n"},
      {{"--route", "CON"},
       "the titles 'CON' and 'Treno' cannot name the scenario's files: the route title 'CON': the "
       "title is 'CON', which Windows keeps for a device\n"},
      {{"--train", "nul.x"},
       "the titles 'Percorso' and 'nul.x' cannot name the scenario's files: the train title "
       "'nul.x': the title is 'nul', which Windows keeps for a device\n"},
      {{"--route", "a\x01"},
       "the titles 'a\\u0001' and 'Treno' cannot name the scenario's files: the route title "
       "'a\\u0001': the title holds a control character\n"},
      {{"--route", "../fuori"},
       "the titles '../fuori' and 'Treno' cannot name the scenario's files: the route title "
       "'../fuori': the title holds '/', which a file name cannot hold\n"},
  };
  for (const auto& [titles, said] : cases) {
    std::vector<std::string> arguments = {"new", In("nuovo")};
    arguments.insert(arguments.end(), titles.begin(), titles.end());
    const auto refused = Run(arguments);
    EXPECT_EQ(refused.exit_status, 2) << said;
    EXPECT_EQ(refused.standard_error, said);
    EXPECT_FALSE(fs::exists(In("nuovo"))) << said;
  }
  EXPECT_TRUE(ListDirectory(work_.path()).empty());
}

TEST_F(ScenarioNamesTool, CompileAndDocumentsRefuseTitlesWhoseFilesClash) {
  LagoAs("lago", "linea");
  fs::create_directory(In("out"));
  const std::string line = In("lago/Lago_linea.txt"), train = In("lago/Lago_linea-.txt");
  for (const std::string command : {"compile", "documents"}) {
    const auto refused = Run({command, line, train, "-o", In("out")});
    EXPECT_EQ(refused.exit_status, 2) << command;
    EXPECT_EQ(refused.standard_error, kTrainLinea) << command;
  }
  const auto named = Run({"compile", line, train, "-o", In("out"), "--train", "Com1"});
  EXPECT_EQ(named.exit_status, 2);
  EXPECT_EQ(named.standard_error,
            "the titles 'Lago' and 'Com1' cannot name the scenario's files: the train title "
            "'Com1': the title is 'Com1', which Windows keeps for a device\n");
  EXPECT_TRUE(ListDirectory(In("out")).empty());
  // The same files under other titles compile.
  EXPECT_EQ(Run({"compile", line, train, "-o", In("out"), "--train", "Lineare"}).exit_status, 0);
}

TEST_F(ScenarioNamesTool, DecompileRefusesTitlesWhoseFilesClash) {
  ASSERT_EQ(Run({"new", In("lago"), "--route", "Lago", "--train", "Espresso"}).exit_status, 0);
  fs::create_directory(In("out"));
  ASSERT_EQ(
      Run({"compile", In("lago/Lago_linea.txt"), In("lago/Lago_Espresso-.txt"), "-o", In("out")})
          .exit_status,
      0);
  const auto refused = Run({"decompile", In("out"), "-o", In("back"), "--train", "linea"});
  EXPECT_EQ(refused.exit_status, 2);
  EXPECT_EQ(refused.standard_error, kTrainLinea);
  EXPECT_FALSE(fs::exists(In("back")));
}

TEST_F(ScenarioNamesTool, PackageRefusesClashingTitlesAndAProgramNamedAsItsFiles) {
  LagoAs("lago", "linea");
  const auto package = [&](const std::string& output) {
    return Run({"package", In("lago"), "-o", In(output), "--installer", TARVOSA_INSTALLER});
  };
  const auto clash = package("Lago_linea");
  EXPECT_EQ(clash.exit_status, 2);
  EXPECT_EQ(clash.standard_error, kTrainLinea);

  fs::remove_all(In("lago"));
  LagoAs("lago", "Espresso");
  for (const std::string output :
       {"Lago_Espresso.sim", "LAGO_linea.dat", "Lago_Espresso.dat.0123abcd.partial"}) {
    const auto refused = package(output);
    EXPECT_EQ(refused.exit_status, 2) << output;
    EXPECT_NE(refused.standard_error.find("the program '" + output + "'"), std::string::npos)
        << refused.standard_error;
    EXPECT_FALSE(fs::exists(In(output)));
  }
  const auto device = package("aux.exe");
  EXPECT_EQ(device.exit_status, 2);
  EXPECT_EQ(device.standard_error,
            "the titles 'Lago' and 'Espresso' cannot name the scenario's files: the program "
            "'aux.exe': the name begins with 'aux', which Windows keeps for a device\n");
  EXPECT_EQ(package("Lago_Espresso").exit_status, 0);
}

TEST_F(ScenarioNamesTool, PackageRefusesADeviceNameTitle) {
  ASSERT_EQ(Run({"new", In("lago"), "--route", "Lago", "--train", "Espresso"}).exit_status, 0);
  for (const std::string file :
       {"Lago_linea.txt", "Lago_Espresso-.txt", "Lago_Espresso_note.txt"}) {
    std::string renamed = file;
    renamed.replace(0, 4, "NUL");
    fs::rename(In("lago/" + file), In("lago/" + renamed));
  }
  const auto refused =
      Run({"package", In("lago"), "-o", In("programma"), "--installer", TARVOSA_INSTALLER});
  EXPECT_EQ(refused.exit_status, 2);
  EXPECT_EQ(refused.standard_error, In("lago/NUL_linea.txt") +
                                        ": the route title 'NUL': the title is 'NUL', which "
                                        "Windows keeps for a device\n");
  EXPECT_FALSE(fs::exists(In("programma")));
}

}  // namespace
}  // namespace tarvosa
