#include "app/form_load.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

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
  EXPECT_EQ(Form_Load(form, screen), ExitStatus::kClean);
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

  EXPECT_EQ(Form_Load(form, screen), ExitStatus::kFileSystem);
  EXPECT_EQ(screen.shown,
            (std::vector<std::string>{"window: Attendere",
                                      train_file.string() + ": cannot replace a read-only file"}));
  EXPECT_EQ(ReadFile(train_file), "earlier");
  EXPECT_EQ(ListDirectory(dir.path()),
            (std::vector<std::string>{"Tarvosa_Corvale-.txt", "Tarvosa_linea.txt"}));
}

TEST(FormLoad, AReadOnlyCompiledFileStopsTheWritingThere) {
  ScratchDirectory dir;
  const fs::path table = ReadOnlyEarlierFile(dir, "Tarvosa_Corvale.sim");
  Form1 form = FormIn(dir);
  RecordingScreen screen;

  EXPECT_EQ(Form_Load(form, screen), ExitStatus::kFileSystem);
  EXPECT_EQ(screen.shown.back(), table.string() + ": cannot replace a read-only file");
  EXPECT_EQ(ReadFile(table), "earlier");
  EXPECT_EQ(ListDirectory(dir.path()),
            (std::vector<std::string>{"Tarvosa_Corvale.sim", "Tarvosa_Corvale_note.txt",
                                      "Tarvosa_Corvale_rallentamenti.txt",
                                      "Tarvosa_Corvale_scheda_treno.txt", "Tarvosa_linea.dat"}));
}

}  // namespace
}  // namespace tarvosa
