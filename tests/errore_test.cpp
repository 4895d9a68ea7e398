#include "app/errore.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "test_support.h"

namespace tarvosa {
namespace {

using testing::RecordingScreen;

TEST(Errore, ShowsTheNumberAfterOneBlankAndEndsAsAFatalConflict) {
  RecordingScreen screen;
  EXPECT_EQ(errore(screen, "1251"), ExitStatus::kFatalConflict);
  EXPECT_EQ(screen.shown, std::vector<std::string>{" Errore n. 1251"});
}

TEST(Errore, AFailedStepIsShownWithItsOwnMessageAndStatus) {
  RecordingScreen screen;
  EXPECT_EQ(
      ReportFailure(screen, Status::FileSystemError("/x/a.txt: cannot replace a read-only file")),
      ExitStatus::kFileSystem);
  EXPECT_EQ(ReportFailure(screen, Status::DataError("/x/a.txt:3:1: bad")), ExitStatus::kDataError);
  EXPECT_EQ(screen.shown, (std::vector<std::string>{"/x/a.txt: cannot replace a read-only file",
                                                    "/x/a.txt:3:1: bad"}));
}

}  // namespace
}  // namespace tarvosa
