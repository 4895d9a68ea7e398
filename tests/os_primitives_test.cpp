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

// The system would read such a path only up to the NUL, another name: every
// call that takes a path refuses it, saying which, and touches nothing.
TEST_P(OsPrimitive, APathHoldingANulByteIsRefusedByEveryCallThatTakesOne) {
  const std::string cut = In("name");
  const std::string path = cut + std::string(1, '\0') + "rest";
  const std::string message =
      "a name holding a NUL byte names no file: \"" + In("name\\u0000rest") + "\"";
  const auto expect_refused = [&](const Status& status, const char* call) {
    EXPECT_EQ(status.kind(), ExitStatus::kFileSystem) << call;
    EXPECT_EQ(status.message(), message) << call;
  };
  // With nothing under the cut name, none is made there.
  expect_refused(os().CreateNewFile(path).status(), "create-new-file");
  expect_refused(os().OpenLockFile(path).status(), "open-lock-file");
  expect_refused(os().MakeDirectories(path), "make-directories");
  EXPECT_EQ(os().MakeDirectories(path + "/below").kind(), ExitStatus::kFileSystem);
  EXPECT_EQ(TypeOf(cut), FileType::kMissing);

  // With a file under it, none reads, changes or removes it.
  place_->Put(cut, "kept");
  place_->Put(In("other"), "other");
  expect_refused(os().OpenForReading(path, Links::kFollow).status(), "open-for-reading");
  expect_refused(os().Stat(path).status(), "stat");
  expect_refused(os().AddExecutePermission(path), "add-execute-permission");
  expect_refused(os().Unlink(path), "unlink");
  expect_refused(os().ListDirectory(path).status(), "list-directory");
  expect_refused(os().FlushDirectory(path), "flush-directory");
  expect_refused(os().RenameOver(path, In("other")), "rename-over from");
  expect_refused(os().RenameOver(In("other"), path), "rename-over to");
  Result<File> held = os().OpenForReading(In("other"), Links::kRefuse);
  ASSERT_TRUE(held.ok()) << held.status().message();
  expect_refused(os().IsSameFile(*held, path).status(), "is-same-file");
  EXPECT_TRUE(os().Close(*held).ok());
  const Result<FileInfo> kept = os().Stat(cut);
  ASSERT_TRUE(kept.ok());
  EXPECT_EQ(kept->type, FileType::kRegular);
  EXPECT_EQ(kept->size, 4u);
  EXPECT_EQ(kept->permissions & 0111, 0u);
  EXPECT_EQ(TypeOf(In("other")), FileType::kRegular);
}

INSTANTIATE_TEST_SUITE_P(SystemAndFake, OsPrimitive, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? "Fake" : "System";
                         });

}  // namespace
}  // namespace tarvosa
