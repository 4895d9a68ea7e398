// Replacing and reading a file, call by call, on an Os in memory.
#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

#include "fake_os.h"
#include "util/files.h"

namespace tarvosa {
namespace {

using testing::Call;
using testing::CallRecord;
using testing::FakeOs;

const std::string kDirectory = "/giochi";
const std::string kName = kDirectory + "/doc.txt";

std::vector<Call> Kinds(const FakeOs& os) {
  std::vector<Call> kinds;
  for (const CallRecord& record : os.calls()) kinds.push_back(record.call);
  return kinds;
}

std::ptrdiff_t Count(const FakeOs& os, Call call) {
  const std::vector<Call> kinds = Kinds(os);
  return std::count(kinds.begin(), kinds.end(), call);
}

class FileReplacement : public ::testing::Test {
 protected:
  FileReplacement() { os_.AddFile(kName, "earlier"); }
  FakeOs os_;
};

TEST_F(FileReplacement, TheBytesAreWrittenFlushedAndClosedBeforeTheRename) {
  ASSERT_TRUE(ReplaceFileContent(os_, kName, "new").ok());
  ASSERT_EQ(Kinds(os_), (std::vector<Call>{Call::kStat, Call::kCreateNewFile, Call::kWrite,
                                           Call::kFlush, Call::kClose, Call::kRenameOver}))
      << os_.CallList();
  const std::string temporary = os_.calls()[1].path;
  EXPECT_EQ(temporary.size(), kName.size() + 17) << temporary;
  EXPECT_TRUE(temporary.starts_with(kName + ".") && temporary.ends_with(".partial")) << temporary;
  for (std::size_t i = 2; i < 6; ++i) EXPECT_EQ(os_.calls()[i].path, temporary) << i;
  EXPECT_EQ(os_.calls()[5].to, kName);
  EXPECT_EQ(os_.Content(kName), "new");
  EXPECT_EQ(os_.Names(kDirectory), std::vector<std::string>{"doc.txt"});
}

// Each with the message it has always had.
TEST_F(FileReplacement, AFailureAtAnyStepKeepsTheEarlierFileAndLeavesNoTemporaryOne) {
  const struct {
    Call call;
    std::string message;
  } steps[] = {
      {Call::kStat, "cannot replace the file: Input/output error"},
      {Call::kCreateNewFile, "cannot write in its directory: Input/output error"},
      {Call::kWrite, "cannot write the file: Input/output error"},
      {Call::kFlush, "cannot replace the file: Input/output error"},
      {Call::kClose, "cannot write the file: Input/output error"},
      {Call::kRenameOver, "cannot replace the file: Input/output error"},
  };
  for (const auto& step : steps) {
    FakeOs os;
    os.AddFile(kName, "earlier");
    os.Fail({.call = step.call});
    const Status status = ReplaceFileContent(os, kName, std::string(200000, 'y'));
    EXPECT_EQ(status.kind(), ExitStatus::kFileSystem) << NameOf(step.call);
    EXPECT_EQ(status.message(), kName + ": " + step.message);
    EXPECT_EQ(os.Content(kName), "earlier") << NameOf(step.call);
    EXPECT_EQ(os.Names(kDirectory), std::vector<std::string>{"doc.txt"}) << NameOf(step.call);
  }
}

TEST_F(FileReplacement, AReadOnlyFileIsRefusedBeforeAnythingIsMade) {
  FakeOs os;
  os.AddFile(kName, "earlier", 0444);
  const Status status = ReplaceFileContent(os, kName, "new");
  EXPECT_EQ(status.message(), kName + ": cannot replace a read-only file");
  EXPECT_EQ(Kinds(os), std::vector<Call>{Call::kStat});
  EXPECT_EQ(os.Content(kName), "earlier");

  FakeOs others_may_write;
  others_may_write.AddFile(kName, "earlier", 0402);
  EXPECT_TRUE(ReplaceFileContent(others_may_write, kName, "new").ok());
  EXPECT_EQ(others_may_write.Content(kName), "new");
}

TEST_F(FileReplacement, ATemporaryNameAnotherFileTookIsDrawnAgain) {
  std::string taken;
  os_.AtCall({.call = Call::kCreateNewFile}, [&](const CallRecord& call) {
    taken = call.path;
    os_.AddFile(call.path, "another's");
  });
  ASSERT_TRUE(ReplaceFileContent(os_, kName, "new").ok());
  EXPECT_EQ(os_.Content(kName), "new");
  EXPECT_EQ(os_.Content(taken), "another's");
  EXPECT_EQ(Count(os_, Call::kCreateNewFile), 2) << os_.CallList();
}

// A system that reads every name drawn as one that is there (one that cut
// the names short, say) must not keep the run drawing for ever.
TEST_F(FileReplacement, TheDrawsForATemporaryNameEndWhenEveryNameIsTaken) {
  os_.AtCall({.call = Call::kCreateNewFile, .nth = 0},
             [&](const CallRecord& call) { os_.AddFile(call.path, "another's"); });
  const Status status = ReplaceFileContent(os_, kName, "new");
  EXPECT_EQ(status.kind(), ExitStatus::kFileSystem);
  EXPECT_EQ(status.message(), kName +
                                  ": cannot write in its directory: every one of 100 temporary "
                                  "names drawn beside it was taken");
  EXPECT_EQ(Count(os_, Call::kCreateNewFile), 100) << os_.CallList();
  EXPECT_EQ(Count(os_, Call::kRenameOver), 0);
  EXPECT_EQ(os_.Content(kName), "earlier");
}

TEST_F(FileReplacement, ALargeFileIsWrittenInPieces) {
  const auto produce = [](ByteSink& sink) {
    for (int i = 0; i < 100000; ++i) sink.Append("0123456789");
  };
  ASSERT_TRUE(ReplaceFileWith(os_, kName, produce).ok());
  EXPECT_EQ(os_.Content(kName)->size(), 1000000u);
  EXPECT_GT(Count(os_, Call::kWrite), 10);
  EXPECT_LT(Count(os_, Call::kWrite), 1000);
}

TEST(FileReading, ALinkIsReadOnlyWhenAskedToBeFollowed) {
  FakeOs os;
  os.AddFile(kDirectory + "/real.txt", "abc");
  os.AddLink(kName, kDirectory + "/real.txt");
  EXPECT_EQ(ReadWholeFile(os, kName).status().message(),
            kName + ": cannot read the file: Too many levels of symbolic links");
  const Result<std::string> followed = ReadWholeFile(os, kName, Links::kFollow);
  ASSERT_TRUE(followed.ok()) << followed.status().message();
  EXPECT_EQ(*followed, "abc");
}

TEST(FileReading, OnlyARegularFileIsReadAndEveryFailureSaysSo) {
  FakeOs os;
  os.AddDirectory(kName);
  EXPECT_EQ(ReadWholeFile(os, kName).status().message(),
            kName + ": cannot read the file: not a regular file");
  for (const Call call : {Call::kOpenForReading, Call::kStatFile, Call::kRead, Call::kClose}) {
    FakeOs failing;
    failing.AddFile(kName, "abc");
    failing.Fail({.call = call, .nth = 0}, "Stale file handle");
    EXPECT_EQ(ReadWholeFile(failing, kName).status().message(),
              kName + ": cannot read the file: Stale file handle")
        << NameOf(call);
    EXPECT_EQ(ReadFileFrom(failing, kName, 1).status().kind(), ExitStatus::kFileSystem);
  }
}

TEST(FileDeleting, AMissingFileIsNoFailureAndAFailedUnlinkIsNamed) {
  FakeOs os;
  os.AddFile(kName, "abc");
  EXPECT_TRUE(DeleteFileIfPresent(os, kName).ok());
  EXPECT_FALSE(os.Exists(kName));
  EXPECT_TRUE(DeleteFileIfPresent(os, kName).ok());
  os.AddFile(kName, "abc");
  os.Fail({.call = Call::kUnlink}, "Permission denied");
  EXPECT_EQ(DeleteFileIfPresent(os, kName).message(),
            kName + ": cannot delete the file: Permission denied");
}

}  // namespace
}  // namespace tarvosa
