// What the tests share: scratch directories, whole-file reads, and the
// documents and screens of a run.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "app/screen.h"
#include "documents/file_names.h"
#include "util/os.h"
#include "util/status.h"

namespace tarvosa::testing {

// A fresh directory that is removed with everything in it at the end of the
// test. `name` may hold blanks and non-ASCII letters.
class ScratchDirectory {
 public:
  explicit ScratchDirectory(const std::string& name = "scratch");
  ~ScratchDirectory();
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // The directory as UTF-8 text, the way the program names it.
  std::string text() const { return path_.string(); }

 private:
  std::filesystem::path root_;
  std::filesystem::path path_;
};

std::string ReadFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, const std::string& bytes);

// The names of the entries of `directory`, sorted.
std::vector<std::string> ListDirectory(const std::filesystem::path& directory);

// The lines of a CR LF text, without their CR LF; false when a line lacks it.
bool SplitCrLfLines(const std::string& bytes, std::vector<std::string>* lines);

// The bytes a document writer writes as `file` into a scratch directory for
// the scenario's titles, and its lines (without CR LF); a failed write or a
// line without CR LF fails the calling test.
struct WrittenDocument {
  std::string bytes;
  std::vector<std::string> lines;
};
WrittenDocument WriteDocument(Status (*writer)(Os&, const ScenarioPlace&), const std::string& file);

// What a complete run leaves beside the program, sorted: the three
// documents and the three compiled files.
inline const std::vector<std::string> kInstalledFiles = {"Tarvosa_Corvale.dat",
                                                         "Tarvosa_Corvale.sim",
                                                         "Tarvosa_Corvale_note.txt",
                                                         "Tarvosa_Corvale_rallentamenti.txt",
                                                         "Tarvosa_Corvale_scheda_treno.txt",
                                                         "Tarvosa_linea.dat"};

// A screen that keeps what it was asked to show, in order.
struct RecordingScreen : Screen {
  void ShowWaitingWindow(std::string_view title, std::string_view caption) override {
    window_title = title;
    shown.push_back("window: " + std::string(caption));
  }
  void ShowMessage(std::string_view text) override { shown.push_back(std::string(text)); }
  std::vector<std::string> shown;
  std::string window_title;
};

}  // namespace tarvosa::testing
