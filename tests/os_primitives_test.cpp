// The primitives the tool's files need, on the system and on the fake
// alike: making directories, making a file a program and when a file was
// last written. The fake must answer as the system does.
#include <chrono>
#include <memory>
#include <thread>

#include <gtest/gtest.h>

#include "fake_os.h"
#include "test_support.h"
#include "util/files.h"

namespace tarvosa {
namespace {

using namespace std::chrono_literals;

// A directory to work in, on the system or in memory.
class Place {
 public:
  virtual ~Place() = default;
  virtual Os& os() = 0;
  virtual std::string root() const = 0;
  virtual void Put(const std::string& name, const std::string& bytes) = 0;
};

class SystemPlace final : public Place {
 public:
  Os& os() override { return DefaultOs(); }
  std::string root() const override { return scratch_.text(); }
  void Put(const std::string& name, const std::string& bytes) override {
    testing::WriteFile(PathFromUtf8(name), bytes);
  }

 private:
  testing::ScratchDirectory scratch_{"primitive"};
};

class FakePlace final : public Place {
 public:
  FakePlace() { os_.AddDirectory(root()); }
  Os& os() override { return os_; }
  std::string root() const override { return "/w"; }
  void Put(const std::string& name, const std::string& bytes) override { os_.AddFile(name, bytes); }

 private:
  testing::FakeOs os_;
};

class OsPrimitive : public ::testing::TestWithParam<bool> {
 protected:
  bool fake() const { return GetParam(); }
  std::string In(const std::string& name) const { return place_->root() + "/" + name; }
  FileType TypeOf(const std::string& name) {
    const Result<FileInfo> info = os().Stat(name);
    EXPECT_TRUE(info.ok()) << info.status().message();
    return info.ok() ? info->type : FileType::kOther;
  }
  Os& os() { return place_->os(); }

  std::unique_ptr<Place> place_ = fake() ? std::unique_ptr<Place>(std::make_unique<FakePlace>())
                                         : std::make_unique<SystemPlace>();
};

TEST_P(OsPrimitive, DirectoriesAreMadeWithTheirParentsAndAFileInTheWayIsRefused) {
  ASSERT_TRUE(os().MakeDirectories(In("a/b/c")).ok());
  EXPECT_EQ(TypeOf(In("a")), FileType::kDirectory);
  EXPECT_EQ(TypeOf(In("a/b/c")), FileType::kDirectory);
  EXPECT_TRUE(os().MakeDirectories(In("a/b")).ok()) << "one that is there is no failure";
  EXPECT_TRUE(os().MakeDirectories(In("a/b/c/")).ok());

  place_->Put(In("a/file"), "x");
  EXPECT_EQ(os().MakeDirectories(In("a/file")).message(), "Not a directory");
  EXPECT_EQ(os().MakeDirectories(In("a/file/d")).kind(), ExitStatus::kFileSystem);
  EXPECT_EQ(TypeOf(In("a/file")), FileType::kRegular);
  EXPECT_EQ(os().MakeDirectories("").message(), "Invalid argument");
}

TEST_P(OsPrimitive, AProgramGetsEveryExecuteBitAndKeepsTheOthers) {
  place_->Put(In("program"), "bytes");
  const Result<FileInfo> before = os().Stat(In("program"));
  ASSERT_TRUE(before.ok());
  ASSERT_TRUE(os().AddExecutePermission(In("program")).ok());
  const Result<FileInfo> after = os().Stat(In("program"));
  ASSERT_TRUE(after.ok());
#ifdef _WIN32
  const bool bits = fake();  // Windows has none
#else
  const bool bits = true;
#endif
  EXPECT_EQ(after->permissions, bits ? (before->permissions | 0111) : before->permissions);
  EXPECT_EQ(os().AddExecutePermission(In("missing")).message(), "No such file or directory");
}

TEST_P(OsPrimitive, AFileWrittenLaterIsSeenAsWrittenLater) {
  place_->Put(In("first"), "1");
  const Result<FileInfo> first = os().Stat(In("first"));
  ASSERT_TRUE(first.ok());
  // Past the coarsest clock a file system stamps files with.
  std::this_thread::sleep_for(30ms);
  ASSERT_TRUE(ReplaceFileContent(os(), In("second"), "2").ok());
  const Result<FileInfo> second = os().Stat(In("second"));
  ASSERT_TRUE(second.ok());
  EXPECT_GT(second->last_written, first->last_written);
  const Result<FileInfo> again = os().Stat(In("first"));
  ASSERT_TRUE(again.ok());
  EXPECT_EQ(again->last_written, first->last_written) << "reading or looking is no write";
}

// What the lock's re-check asks: is the file held still the one its name
// gives? A name removed or given to another file is no error, only "no".
TEST_P(OsPrimitive, AHeldFileIsItsNamesUntilTheNameGoesOrIsGivenAway) {
#if defined(_WIN32)
  // There a file held open for reading can be neither replaced nor removed.
  if (!fake()) GTEST_SKIP() << "a held file keeps its name on this system";
#endif
  place_->Put(In("held"), "1");
  Result<File> held = os().OpenForReading(In("held"), Links::kRefuse);
  ASSERT_TRUE(held.ok()) << held.status().message();
  const auto same = [&] { return os().IsSameFile(*held, In("held")); };
  ASSERT_TRUE(same().ok());
  EXPECT_TRUE(*same());
  ASSERT_TRUE(ReplaceFileContent(os(), In("held"), "2").ok());
  ASSERT_TRUE(same().ok()) << same().status().message();
  EXPECT_FALSE(*same());
  ASSERT_TRUE(os().Unlink(In("held")).ok());
  ASSERT_TRUE(same().ok()) << same().status().message();
  EXPECT_FALSE(*same());
  EXPECT_TRUE(os().Close(*held).ok());
}

INSTANTIATE_TEST_SUITE_P(SystemAndFake, OsPrimitive, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? "Fake" : "System";
                         });

}  // namespace
}  // namespace tarvosa
