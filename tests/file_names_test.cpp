#include "documents/file_names.h"

#include <gtest/gtest.h>

namespace tarvosa {
namespace {

ScenarioPlace FormIn(std::string directory, char separator = '/') {
  ScenarioPlace form;
  form.route_title = "Tarvosa";
  form.train_title = "Corvale";
  form.app_path = std::move(directory);
  form.separator = separator;
  return form;
}

TEST(FileNames, EveryFileLiesInTheDirectoryUnderItsTitles) {
  const ScenarioPlace form = FormIn("/srv/scenari");
  EXPECT_EQ(LineDefinitionName(form), "/srv/scenari/Tarvosa_linea.txt");
  EXPECT_EQ(TrainDataName(form), "/srv/scenari/Tarvosa_Corvale-.txt");
  EXPECT_EQ(NotesName(form), "/srv/scenari/Tarvosa_Corvale_note.txt");
  EXPECT_EQ(SlowDownOrderName(form), "/srv/scenari/Tarvosa_Corvale_rallentamenti.txt");
  EXPECT_EQ(TimetableName(form), "/srv/scenari/Tarvosa_Corvale_scheda_treno.txt");
  EXPECT_EQ(LinePlanName(form), "/srv/scenari/Tarvosa_linea.dat");
  EXPECT_EQ(ScenarioTableName(form), "/srv/scenari/Tarvosa_Corvale.sim");
  EXPECT_EQ(TrackCellsName(form), "/srv/scenari/Tarvosa_Corvale.dat");
}

TEST(FileNames, BlanksAndLettersInTheDirectoryAreUsedUnchanged) {
  EXPECT_EQ(LineDefinitionName(FormIn("/home/io/Giochi di treni/città")),
            "/home/io/Giochi di treni/città/Tarvosa_linea.txt");
}

TEST(FileNames, TheRootGivesADoubledSeparator) {
  EXPECT_EQ(LineDefinitionName(FormIn("/")), "//Tarvosa_linea.txt");
  EXPECT_EQ(LineDefinitionName(FormIn("C:\\", '\\')), "C:\\\\Tarvosa_linea.txt");
  EXPECT_EQ(TrackCellsName(FormIn("D:\\Giochi", '\\')), "D:\\Giochi\\Tarvosa_Corvale.dat");
}

TEST(FileNames, TheNamesFollowTheTitles) {
  const ScenarioPlace form{.route_title = "Rotta", .train_title = "Treno", .app_path = "/x"};
  EXPECT_EQ(TrainDataName(form), "/x/Rotta_Treno-.txt");
  EXPECT_EQ(LinePlanName(form), "/x/Rotta_linea.dat");
}

}  // namespace
}  // namespace tarvosa
