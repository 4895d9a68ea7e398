// The installer's whole run on an Os in memory: the order of its calls, the
// lock, the clean-up of what killed runs left, and a failure at every one
// of its calls.
#include <algorithm>
#include <chrono>
#include <map>

#include <gtest/gtest.h>

#include "app/form_load.h"
#include "fake_install.h"
#include "fake_os.h"
#include "test_support.h"

namespace tarvosa {
namespace {

using namespace std::chrono_literals;
using testing::Call;
using testing::CallRecord;
using testing::FakeOs;
using testing::kInstalledFiles;

const std::string& kDirectory = testing::kInstallDirectory;
using Outcome = testing::InstallOutcome;
using testing::FormIn;
using testing::Install;
using testing::PathOf;
using testing::WithDirectory;
const std::string kLockFile = kDirectory + "/scenari.lock";
// The two files a run writes for the compiler to read back.
const std::vector<std::string> kTextFiles = {kDirectory + "/Tarvosa_linea.txt",
                                             kDirectory + "/Tarvosa_Corvale-.txt"};

// Every file a run writes, in order.
std::vector<std::string> WrittenFiles() {
  Form1 form = FormIn(kDirectory);
  form.route_title = "Tarvosa";
  form.train_title = "Corvale";
  return WrittenFileNames(form);
}

std::size_t FirstOf(const std::vector<CallRecord>& calls, Call call) {
  const auto found = std::find_if(calls.begin(), calls.end(),
                                  [&](const CallRecord& record) { return record.call == call; });
  return static_cast<std::size_t>(found - calls.begin());
}

std::size_t IndexOf(const std::vector<CallRecord>& calls, Call call, const std::string& path) {
  const auto found = std::find_if(calls.begin(), calls.end(), [&](const CallRecord& record) {
    return record.call == call && (record.path == path || record.to == path);
  });
  return static_cast<std::size_t>(found - calls.begin());
}

TEST(FakeInstall, TheRunWritesWhatItWritesOnTheSystemItself) {
  testing::ScratchDirectory dir;
  Form1 form = FormIn(dir.text());
  testing::RecordingScreen screen;
  ASSERT_EQ(Form_Load(DefaultOs(), form, screen), ExitStatus::kClean);
  FakeOs os;
  ASSERT_EQ(Install(WithDirectory(os)).status, ExitStatus::kClean);
  EXPECT_EQ(os.Names(kDirectory), kInstalledFiles);
  for (const std::string& file : kInstalledFiles) {
    EXPECT_EQ(os.Content(PathOf(file)), testing::ReadFile(dir.path() / file)) << file;
  }
}

TEST(FakeInstall, EveryFileIsFlushedBeforeItsRenameAndTheDirectoryAfterTheLast) {
  FakeOs os;
  ASSERT_EQ(Install(WithDirectory(os)).status, ExitStatus::kClean);
  const std::vector<CallRecord>& calls = os.calls();
  std::vector<std::string> renamed;
  for (std::size_t i = 0; i < calls.size(); ++i) {
    if (calls[i].call != Call::kRenameOver) continue;
    renamed.push_back(calls[i].to);
    // The temporary file's last calls: its writes, a flush, its close.
    std::vector<Call> on_it;
    for (std::size_t j = 0; j < i; ++j) {
      if (calls[j].path == calls[i].path) on_it.push_back(calls[j].call);
    }
    ASSERT_GE(on_it.size(), 4u) << calls[i].to;
    EXPECT_EQ(on_it.front(), Call::kCreateNewFile) << calls[i].to;
    EXPECT_EQ(on_it[on_it.size() - 3], Call::kWrite) << calls[i].to;
    EXPECT_EQ(on_it[on_it.size() - 2], Call::kFlush) << calls[i].to << "\n" << os.CallList();
    EXPECT_EQ(on_it.back(), Call::kClose) << calls[i].to;
  }
  EXPECT_EQ(renamed, WrittenFiles());
  const std::size_t last_rename = IndexOf(calls, Call::kRenameOver, renamed.back());
  const std::size_t directory_flush = IndexOf(calls, Call::kFlushDirectory, kDirectory);
  ASSERT_LT(directory_flush, calls.size()) << os.CallList();
  EXPECT_GT(directory_flush, last_rename);
}

TEST(FakeInstall, ALockFileReplacedBetweenTheOpenAndTheLockIsTakenAgain) {
  FakeOs os;
  WithDirectory(os);
  // The run we waited for let go, and a third one made a new lock file.
  os.AtCall({.call = Call::kTryLock}, [&](const CallRecord&) {
    os.RemoveName(kLockFile);
    os.AddFile(kLockFile, "");
  });
  int writes = 0, held = 0;
  os.AtCall({.call = Call::kCreateNewFile, .nth = 0}, [&](const CallRecord&) {
    ++writes;
    held += os.IsLockedHere(kLockFile);
  });
  EXPECT_EQ(Install(os).status, ExitStatus::kClean);
  EXPECT_EQ(writes, static_cast<int>(WrittenFiles().size()));
  EXPECT_EQ(held, writes) << os.CallList();
  EXPECT_FALSE(os.Exists(kLockFile));
}

TEST(FakeInstall, ALockHeldByAnotherEndsTheRunAfterTheWaitWithNothingWritten) {
  FakeOs os;
  WithDirectory(os).HoldLockElsewhere(kLockFile);
  const auto started = std::chrono::steady_clock::now();
  const Outcome run = Install(os, 60s);
  EXPECT_LT(std::chrono::steady_clock::now() - started, 10s);
  EXPECT_EQ(run.status, ExitStatus::kFileSystem);
  EXPECT_EQ(run.shown.back(), kLockFile +
                                  ": another install is running in this directory (60 s "
                                  "waited for it to end)");
  EXPECT_EQ(os.slept(), 60s);
  EXPECT_EQ(os.Names(kDirectory), std::vector<std::string>{"scenari.lock"});
  EXPECT_EQ(FirstOf(os.calls(), Call::kCreateNewFile), os.calls().size());
}

TEST(FakeInstall, TheCleanUpRemovesThePartialFilesOfTheEightNamesAndNothingElse) {
  FakeOs os;
  WithDirectory(os);
  const std::vector<std::string> names = WrittenFiles();
  for (const std::string& name : names) {
    os.AddFile(name + ".0badcafe.partial", "left by a killed run");
    os.AddFile(name + ".12345678.partial", "left by another");
  }
  std::vector<std::string> kept = {
      "Tarvosa_linea.txt.notes.partial",        // an author's
      "Tarvosa_Corvale.dat.1a2b3c4.partial",    // seven digits
      "Tarvosa_Corvale.dat.1a2b3c4d5.partial",  // nine
      "Tarvosa_Corvale.dat.1A2B3C4D.partial",   // capitals
      "Tarvosa_Corvale.dat.1a2b3c4g.partial",   // not hexadecimal
      "Tarvosa_Corvale.dat.1a2b3c4d.tmp",      "Tarvosa_Corvale.dat.1a2b3c4d.partial.x",
      "Tarvosa_Corvale.dat1a2b3c4d.partial",
      "Tarvosa_Corvale.1a2b3c4d.partial",  // no file of a run
      "scenari.lock.1a2b3c4d.partial",     // nor the lock
      "Lago_linea.dat.1a2b3c4d.partial",   // another scenario's
      "Lago_Espresso.sim.1a2b3c4d.partial",
  };
  for (const std::string& file : kept) os.AddFile(PathOf(file), "kept");

  ASSERT_EQ(Install(os).status, ExitStatus::kClean);
  kept.insert(kept.end(), kInstalledFiles.begin(), kInstalledFiles.end());
  std::sort(kept.begin(), kept.end());
  EXPECT_EQ(os.Names(kDirectory), kept);
  // All of it while the lock is held, before the first file is written.
  const std::size_t locked = IndexOf(os.calls(), Call::kTryLock, kLockFile);
  const std::size_t first_write = FirstOf(os.calls(), Call::kCreateNewFile);
  for (std::size_t i = 0; i < os.calls().size(); ++i) {
    const CallRecord& call = os.calls()[i];
    if (call.call == Call::kUnlink && call.path.ends_with(".partial")) {
      EXPECT_GT(i, locked);
      EXPECT_LT(i, first_write);
    }
  }
}

// Failures that a run shrugs off by design and still ends clean: the
// clean-up of what killed runs left goes as far as it can, and the lock is
// let go once everything is written (a lock file left behind is taken over
// by the next run).
bool ShrugsOff(const CallRecord& call) {
  if (call.call == Call::kListDirectory) return true;
  // The table and track read for whose they are: what cannot be read there
  // is no other scenario's file that can be told.
  const bool compiled = call.path.ends_with(".sim") || call.path.ends_with(".dat");
  if (compiled && (call.call == Call::kOpenForReading || call.call == Call::kStatFile ||
                   call.call == Call::kRead || call.call == Call::kClose)) {
    return true;
  }
  return call.path == kLockFile && (call.call == Call::kUnlink || call.call == Call::kClose);
}

// The six files as an earlier install left them.
void AddEarlierInstall(FakeOs& os) {
  for (const std::string& file : kInstalledFiles) os.AddFile(PathOf(file), "earlier " + file);
}

// The six files in the order a run writes them.
std::vector<std::string> InstalledInWritingOrder() {
  std::vector<std::string> files;
  for (const std::string& name : WrittenFiles()) {
    const std::string file = name.substr(kDirectory.size() + 1);
    if (std::count(kInstalledFiles.begin(), kInstalledFiles.end(), file)) files.push_back(file);
  }
  return files;
}

TEST(FakeInstall, AFailureAtAnyCallLeavesEveryFileWholeAndNoPartialOne) {
  FakeOs clean;
  AddEarlierInstall(WithDirectory(clean));
  ASSERT_EQ(Install(clean).status, ExitStatus::kClean);
  const std::vector<CallRecord> calls = clean.calls();
  std::map<std::string, std::string> installed;
  for (const std::string& file : kInstalledFiles) installed[file] = *clean.Content(PathOf(file));
  // A run that does not hold the lock leaves the name alone: the holder's.
  const std::size_t locked_at = IndexOf(calls, Call::kIsSameFile, kLockFile) + 1;
  // Another scenario's text file, which no run of this one touches.
  const std::string others = PathOf("Lago_linea.txt");

  for (std::size_t n = 1; n <= calls.size(); ++n) {
    SCOPED_TRACE("call " + std::to_string(n) + " fails: " + ToString(calls[n - 1]));
    FakeOs os;
    AddEarlierInstall(WithDirectory(os));
    os.AddFile(others, "Lago");
    os.Fail({.nth = n});
    const Outcome run = Install(os);
    if (ShrugsOff(calls[n - 1])) {
      EXPECT_EQ(run.status, ExitStatus::kClean);
      for (const auto& [file, bytes] : installed) EXPECT_EQ(os.Content(PathOf(file)), bytes);
      continue;
    }
    EXPECT_EQ(run.status, ExitStatus::kFileSystem);
    ASSERT_EQ(run.shown.size(), 2u);
    // Each file is the earlier copy or the whole new one, and none is new
    // after one that is not.
    bool all_new_so_far = true;
    for (const std::string& file : InstalledInWritingOrder()) {
      const std::optional<std::string> bytes = os.Content(PathOf(file));
      const bool is_new = bytes == installed[file];
      EXPECT_TRUE(is_new || bytes == "earlier " + file) << file;
      EXPECT_TRUE(all_new_so_far || !is_new) << file;
      all_new_so_far = all_new_so_far && is_new;
    }
    for (const std::string& file : os.Names(kDirectory)) {
      EXPECT_FALSE(file.ends_with(".partial")) << file;
    }
    // The text files the run wrote go with it, unless it is their own
    // deletion that fails.
    for (const std::string& file : kTextFiles) {
      const bool undeletable = calls[n - 1].call == Call::kUnlink && calls[n - 1].path == file;
      EXPECT_TRUE(!os.Exists(file) || undeletable) << file;
    }
    EXPECT_EQ(os.Content(others), "Lago");
    EXPECT_TRUE(!os.Exists(kLockFile) || n <= locked_at);
  }
}

// What a user may leave at an output's name: the run cannot replace it,
// and it is not the run's to remove.
TEST(FakeInstall, AnOutputNameTakenEndsTheRunWithNoTextFileAndWhatStoodThereKept) {
  for (const std::string& name : WrittenFiles()) {
    for (const bool directory : {true, false}) {
      SCOPED_TRACE(name + (directory ? " is a directory" : " is a read-only file"));
      FakeOs os;
      WithDirectory(os);
      if (directory) {
        os.AddDirectory(name);
      } else {
        os.AddFile(name, "the user's", 0444);
      }
      EXPECT_EQ(Install(os).status, ExitStatus::kFileSystem);
      if (directory) {
        EXPECT_TRUE(os.Exists(name) && !os.Content(name));
      } else {
        EXPECT_EQ(os.Content(name), "the user's");
      }
      for (const std::string& file : kTextFiles) EXPECT_TRUE(file == name || !os.Exists(file));
      for (const std::string& file : os.Names(kDirectory)) {
        EXPECT_FALSE(file.ends_with(".partial")) << file;
      }
    }
  }
}

// A compile step that cannot start still takes its inputs away.
TEST(FakeInstall, ATitleTheCompilerCannotTakeStillDeletesTheTextFiles) {
  FakeOs os;
  WithDirectory(os);
  Form1 form = FormIn(kDirectory);
  form.route_title = "Tarvosa";
  form.train_title = "Corvale→";
  const std::string train = PathOf("Tarvosa_Corvale→-.txt");
  os.AddFile(kTextFiles[0], "[generale]\r\n");
  os.AddFile(train, "[generale]\r\n");
  testing::RecordingScreen screen;
  EXPECT_EQ(CompileScenario(os, form, screen), ExitStatus::kDataError);
  EXPECT_EQ(screen.shown,
            std::vector<std::string>{"a title has a character with no Windows-1252 byte"});
  EXPECT_EQ(os.Names(kDirectory), std::vector<std::string>{});
}

}  // namespace
}  // namespace tarvosa
