// What an install refuses before it writes anything, on an Os in memory:
// names that clash or are not portable (before the window shows), and the
// table or track of another scenario under its names (once it holds the
// lock).
#include <chrono>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/form_load.h"
#include "compiler/compiled_files.h"
#include "compiler/stored_format.h"
#include "compiler/stored_views.h"
#include "fake_install.h"
#include "fake_os.h"
#include "test_support.h"

namespace tarvosa {
namespace {

using testing::Call;
using testing::CallRecord;
using testing::FakeOs;

const std::string& kDirectory = testing::kInstallDirectory;
using Outcome = testing::InstallOutcome;
using testing::FormIn;
using testing::Install;
using testing::PathOf;
using testing::WithDirectory;

bool Creates(const FakeOs& os) {
  for (const CallRecord& record : os.calls()) {
    if (record.call == Call::kCreateNewFile) return true;
  }
  return false;
}

// The names are checked before the window shows: a clash ends the run
// having touched no file at all.
TEST(InstallRefusals, NamesThatClashEndTheRunBeforeItTouchesAFile) {
  FakeOs os;
  WithDirectory(os);
  Form1 form = FormIn(kDirectory);
  form.program_name = "Tarvosa_linea.dat";
  testing::RecordingScreen screen;
  EXPECT_EQ(Form_Load(os, form, screen), ExitStatus::kFileSystem);
  EXPECT_EQ(screen.shown,
            std::vector<std::string>{
                kDirectory + "/Tarvosa_linea.dat: its scenario cannot be installed here: the line "
                             "plan 'Tarvosa_linea.dat' and the program 'Tarvosa_linea.dat' would "
                             "be one file"});
  EXPECT_TRUE(os.calls().empty()) << os.CallList();

  ScenarioDocuments scenario{.route_title = "Lago", .train_title = "LINEA"};
  scenario[DocumentKind::kLineDefinition] = DocumentLines{"[generale]"};
  scenario[DocumentKind::kTrainData] = DocumentLines{"[generale]"};
  Form1 packaged = FormIn(kDirectory);
  packaged.program_name = "Lago_LINEA";
  testing::RecordingScreen packaged_screen;
  EXPECT_EQ(Form_Load(os, packaged, packaged_screen, scenario), ExitStatus::kFileSystem);
  EXPECT_EQ(packaged_screen.shown,
            std::vector<std::string>{kDirectory +
                                     "/Lago_LINEA: its scenario cannot be installed here: the line "
                                     "plan 'Lago_linea.dat' and the track cells 'Lago_LINEA.dat' "
                                     "would be one file (Windows does not tell capitals from "
                                     "small letters)"});
  EXPECT_TRUE(os.calls().empty()) << os.CallList();
  EXPECT_TRUE(os.Names(kDirectory).empty());
}

// A program's name reaches the screen escaped.
TEST(InstallRefusals, AProgramNameWithControlsIsShownEscaped) {
  FakeOs os;
  WithDirectory(os);
  Form1 form = FormIn(kDirectory);
  form.program_name = "Tarvosa\x1B]0;x\x07";
  testing::RecordingScreen screen;
  EXPECT_EQ(Form_Load(os, form, screen), ExitStatus::kFileSystem);
  ASSERT_EQ(screen.shown.size(), 1u);
  EXPECT_EQ(screen.shown[0], kDirectory +
                                 "/Tarvosa\\u001b]0;x\\u0007: its scenario cannot be installed "
                                 "here: the program 'Tarvosa\\u001b]0;x\\u0007': the name holds "
                                 "the control character 0x1B");
  EXPECT_TRUE(os.calls().empty());
}

// A table as another scenario's run leaves it, under the titles given.
std::string TableOf(const std::string& route, const std::string& train) {
  ScenarioHeader header{};
  header[kRouteEntry].name = route;
  header[kTrainEntry].name = train;
  header[1].name = "Stazione";
  RouteEntry(header[kRouteEntry]).marker = kRouteMarker;
  return EncodeScenarioHeader(header);
}

// A track whose stamp holds the check code `code`.
std::string TrackStamped(std::int16_t code) {
  std::vector<TrackCell> cells(3);
  StampedCell stamp(cells[1]);
  stamp.marker = kTrackMarker;
  stamp.check_code = code;
  return EncodeTrackCells(cells);
}

// The table and track under this scenario's names are read before anything
// is written: another scenario's end the run, its files kept.
TEST(InstallRefusals, AnotherScenariosTableOrTrackIsNotReplaced) {
  const struct {
    std::string file, bytes, said;
  } cases[] = {
      {"Tarvosa_Corvale.sim", TableOf("tarvosa", "Corvale"),
       "Tarvosa_Corvale.sim: belongs to another scenario (the route 'tarvosa' and the train "
       "'Corvale'); it is not replaced"},
      {"Tarvosa_Corvale.sim", TableOf("Tarvosa", "corvale"),
       "Tarvosa_Corvale.sim: belongs to another scenario (the route 'Tarvosa' and the train "
       "'corvale'); it is not replaced"},
      {"Tarvosa_Corvale.sim", TableOf("Tarvosa", "Corvale\x1B[2J\xE8"),
       "Tarvosa_Corvale.sim: belongs to another scenario (the route 'Tarvosa' and the train "
       "'Corvale\\u001b[2J\xC3\xA8'); it is not replaced"},
      {"Tarvosa_Corvale.dat", TrackStamped(1234),
       "Tarvosa_Corvale.dat: belongs to another scenario (its check code is 1234, this "
       "scenario's 2608); it is not replaced"},
  };
  // Whole reads, and reads of a few bytes at a time, find the same titles.
  for (const std::size_t most_read : {SIZE_MAX, std::size_t{7}}) {
    for (const auto& [file, bytes, said] : cases) {
      FakeOs os;
      os.ShortenReads(most_read);
      WithDirectory(os).AddFile(PathOf(file), bytes);
      const Outcome run = Install(os);
      EXPECT_EQ(run.status, ExitStatus::kFileSystem) << said << most_read;
      EXPECT_EQ(run.shown.back(), PathOf(said));
      EXPECT_EQ(os.Names(kDirectory), std::vector<std::string>{file});
      EXPECT_EQ(os.Content(PathOf(file)), bytes);
      EXPECT_FALSE(Creates(os)) << os.CallList();
    }
  }
}

// This scenario's own files, and files that are no compiled table or track,
// are replaced as always; only what is needed of them is read.
TEST(InstallRefusals, ItsOwnCompiledFilesAndOthersAreReplaced) {
  FakeOs earlier;
  ASSERT_EQ(Install(WithDirectory(earlier)).status, ExitStatus::kClean);
  const std::string table = *earlier.Content(PathOf("Tarvosa_Corvale.sim"));
  const std::string track = *earlier.Content(PathOf("Tarvosa_Corvale.dat"));
  const std::string longer_table = table + "x";
  const std::string unstamped = TrackStamped(0).replace(15, 2, std::string(2, '\0'));
  for (const auto& [sim, dat] : {std::pair{table, track},
                                 {longer_table, unstamped},
                                 {TableOf("Val", "Verde") + "x", track},
                                 {std::string(100, 'x'), std::string(29, 'x')},
                                 {std::string(), std::string()}}) {
    FakeOs os;
    WithDirectory(os);
    os.AddFile(PathOf("Tarvosa_Corvale.sim"), sim);
    os.AddFile(PathOf("Tarvosa_Corvale.dat"), dat);
    ASSERT_EQ(Install(os).status, ExitStatus::kClean) << sim.size();
    EXPECT_EQ(os.Content(PathOf("Tarvosa_Corvale.sim")), table);
    EXPECT_EQ(os.Content(PathOf("Tarvosa_Corvale.dat")), track);
  }
  // The table's entry heads and its two titles; the track's second cell.
  FakeOs os;
  WithDirectory(os).AddFile(PathOf("Tarvosa_Corvale.sim"), table);
  os.AddFile(PathOf("Tarvosa_Corvale.dat"), track);
  std::size_t read = 0;
  os.AtCall({.call = Call::kRead, .nth = 0}, [&](const CallRecord& record) {
    read += record.path.ends_with(".sim") || record.path.ends_with(".dat");
  });
  os.AtCall({.call = Call::kCreateNewFile},
            [&](const CallRecord&) { EXPECT_EQ(read, kScenarioEntries + 2 + 1); });
  ASSERT_EQ(Install(os).status, ExitStatus::kClean);
}

}  // namespace
}  // namespace tarvosa
