#include "app/form_load.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "util/directory_lock.h"

#include "scenario/line_table.h"
#include "scenario/train_table.h"
#include "test_support.h"

namespace tarvosa {
namespace {

namespace fs = std::filesystem;
using testing::kInstalledFiles;
using testing::ListDirectory;
using testing::ReadFile;
using testing::RecordingScreen;
using testing::ScratchDirectory;
using testing::WriteFile;

Form1 FormIn(const ScratchDirectory& dir) {
  Form1 form;
  form.app_path = dir.text();
  form.separator = static_cast<char>(fs::path::preferred_separator);
  return form;
}

// Makes `file` in `dir` an earlier file without any write permission.
fs::path ReadOnlyEarlierFile(const ScratchDirectory& dir, const std::string& file) {
  const fs::path path = dir.path() / file;
  WriteFile(path, "earlier");
  fs::permissions(path, fs::perms::owner_read | fs::perms::group_read);
  return path;
}

TEST(FormLoad, ShowsTheWindowFirstAndLeavesTheDocumentsAndCompiledFiles) {
  ScratchDirectory dir;
  Form1 form = FormIn(dir);
  RecordingScreen screen;
  EXPECT_EQ(Form_Load(DefaultOs(), form, screen), ExitStatus::kClean);
  EXPECT_EQ(form.route_title, "Tarvosa");
  EXPECT_EQ(form.train_title, "Corvale");
  EXPECT_EQ(screen.shown, std::vector<std::string>{"window: Attendere"});
  EXPECT_EQ(ListDirectory(dir.path()), kInstalledFiles);
}

TEST(FormLoad, AReadOnlyDocumentStopsTheRunBeforeTheLaterFiles) {
  ScratchDirectory dir;
  const fs::path train_file = ReadOnlyEarlierFile(dir, "Tarvosa_Corvale-.txt");
  Form1 form = FormIn(dir);
  RecordingScreen screen;

  EXPECT_EQ(Form_Load(DefaultOs(), form, screen), ExitStatus::kFileSystem);
  EXPECT_EQ(screen.shown,
            (std::vector<std::string>{"window: Attendere",
                                      train_file.string() + ": cannot replace a read-only file"}));
  // The line file the run wrote goes with it; the train file was never its.
  EXPECT_EQ(ReadFile(train_file), "earlier");
  EXPECT_EQ(ListDirectory(dir.path()), std::vector<std::string>{"Tarvosa_Corvale-.txt"});
}

TEST(FormLoad, AReadOnlyCompiledFileStopsTheWritingThere) {
  ScratchDirectory dir;
  const fs::path table = ReadOnlyEarlierFile(dir, "Tarvosa_Corvale.sim");
  Form1 form = FormIn(dir);
  RecordingScreen screen;

  EXPECT_EQ(Form_Load(DefaultOs(), form, screen), ExitStatus::kFileSystem);
  EXPECT_EQ(screen.shown.back(), table.string() + ": cannot replace a read-only file");
  EXPECT_EQ(ReadFile(table), "earlier");
  EXPECT_EQ(ListDirectory(dir.path()),
            (std::vector<std::string>{"Tarvosa_Corvale.sim", "Tarvosa_Corvale_note.txt",
                                      "Tarvosa_Corvale_rallentamenti.txt",
                                      "Tarvosa_Corvale_scheda_treno.txt", "Tarvosa_linea.dat"}));
}

// The embedded line and train under other titles, with notes of its own.
ScenarioDocuments Lago() {
  ScenarioDocuments scenario{.route_title = "Lago", .train_title = "Espresso"};
  scenario[DocumentKind::kLineDefinition] =
      DocumentLines(scenario::kLineDefinition.begin(), scenario::kLineDefinition.end());
  scenario[DocumentKind::kTrainData] =
      DocumentLines(scenario::kTrainData.begin(), scenario::kTrainData.end());
  scenario[DocumentKind::kNotes] = DocumentLines{"    Note sul lago, più brevi.", ""};
  scenario[DocumentKind::kTimetable] = DocumentLines{"  SCHEDA  "};
  return scenario;
}

TEST(FormLoad, APackagedScenarioIsInstalledUnderItsTitlesWithOnlyItsDocuments) {
  ScratchDirectory dir;
  Form1 form = FormIn(dir);
  RecordingScreen screen;
  EXPECT_EQ(Form_Load(DefaultOs(), form, screen, Lago()), ExitStatus::kClean);
  EXPECT_EQ(screen.shown, std::vector<std::string>{"window: Attendere"});
  EXPECT_EQ(screen.window_title, "Lago");
  EXPECT_EQ(
      ListDirectory(dir.path()),
      (std::vector<std::string>{"Lago_Espresso.dat", "Lago_Espresso.sim", "Lago_Espresso_note.txt",
                                "Lago_Espresso_scheda_treno.txt", "Lago_linea.dat"}));
  EXPECT_EQ(ReadFile(dir.path() / "Lago_Espresso_note.txt"),
            "    Note sul lago, pi\xF9 brevi.\r\n\r\n");
  EXPECT_EQ(ReadFile(dir.path() / "Lago_Espresso_scheda_treno.txt"), "  SCHEDA  \r\n");
  // The compiled table names its route and train.
  const std::string table = ReadFile(dir.path() / "Lago_Espresso.sim");
  EXPECT_NE(table.find("Lago"), std::string::npos);
  EXPECT_NE(table.find("Espresso"), std::string::npos);
  EXPECT_EQ(table.find("Tarvosa"), std::string::npos);
}

TEST(FormLoad, APackagedScenarioWritesItsDocumentsInTheInstallersOrder) {
  ScratchDirectory dir;
  const fs::path notes = ReadOnlyEarlierFile(dir, "Lago_Espresso_note.txt");
  Form1 form = FormIn(dir);
  RecordingScreen screen;
  EXPECT_EQ(Form_Load(DefaultOs(), form, screen, Lago()), ExitStatus::kFileSystem);
  EXPECT_EQ(screen.shown.back(), notes.string() + ": cannot replace a read-only file");
  // The line and train came first, and went again with the failed run; the
  // timetable sheet was never reached.
  EXPECT_EQ(ReadFile(notes), "earlier");
  EXPECT_EQ(ListDirectory(dir.path()), std::vector<std::string>{"Lago_Espresso_note.txt"});
}

TEST(FormLoad, APackagedScenarioHoldsTheDirectorysLock) {
  ScratchDirectory dir;
  const Result<DirectoryLock> held = LockDirectory(
      DefaultOs(), (dir.path() / "scenari.lock").string(), std::chrono::milliseconds(0));
  ASSERT_TRUE(held.ok()) << held.status().message();
  Form1 form = FormIn(dir);
  RecordingScreen screen;
  EXPECT_EQ(Form_Load(DefaultOs(), form, screen, Lago(), std::chrono::milliseconds(100)),
            ExitStatus::kFileSystem);
  EXPECT_EQ(screen.shown.back(), (dir.path() / "scenari.lock").string() +
                                     ": another install is running in this directory (0 s "
                                     "waited for it to end)");
  EXPECT_EQ(ListDirectory(dir.path()), std::vector<std::string>{"scenari.lock"});
}

}  // namespace
}  // namespace tarvosa
