#include "util/files.h"

#include <algorithm>
#include <csignal>
#if !defined(_WIN32)
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <gtest/gtest.h>

#include "test_support.h"

namespace tarvosa {
namespace {

namespace fs = std::filesystem;
using testing::ListDirectory;
using testing::ReadFile;
using testing::ScratchDirectory;
using testing::WriteFile;

TEST(ReplaceFile, CreatesAFileThatDidNotExist) {
  ScratchDirectory dir;
  const std::string name = dir.text() + "/new.txt";
  ASSERT_TRUE(ReplaceFileContent(DefaultOs(), name, "abc\r\n").ok());
  EXPECT_EQ(ReadFile(name), "abc\r\n");
  EXPECT_EQ(ListDirectory(dir.path()), std::vector<std::string>{"new.txt"});
}

TEST(ReplaceFile, AnEarlierLongerFileLeavesNothingBehind) {
  ScratchDirectory dir;
  const std::string name = dir.text() + "/doc.txt";
  WriteFile(name, std::string(5000, 'x'));
  ASSERT_TRUE(ReplaceFileContent(DefaultOs(), name, "short").ok());
  EXPECT_EQ(ReadFile(name), "short");
  ASSERT_TRUE(ReplaceFileContent(DefaultOs(), name, "").ok());
  EXPECT_EQ(fs::file_size(name), 0u);
}

TEST(ReplaceFile, NamesWithBlanksAndADoubledSeparatorAreTakenAsTheyStand) {
  ScratchDirectory dir("con spazi è");
  ASSERT_TRUE(ReplaceFileContent(DefaultOs(), dir.text() + "//Tarvosa linea.txt", "x").ok());
  EXPECT_EQ(ListDirectory(dir.path()), std::vector<std::string>{"Tarvosa linea.txt"});
}

// Windows keeps paths in UTF-16; a UTF-8 name must come back as it went in,
// and its parts as the same UTF-8, whatever the system's code page.
TEST(PathFromUtf8, AUtf8NameAndItsPartsComeBackAsTheyWent) {
  const std::string name = "Società/città/Lago_Espresso-.txt";
  const fs::path path = PathFromUtf8(name);
  EXPECT_EQ(Utf8FromPath(path.filename()), "Lago_Espresso-.txt");
  EXPECT_EQ(Utf8FromPath(path.parent_path().filename()), "città");
  EXPECT_EQ(Utf8FromPath(path.stem()), "Lago_Espresso-");
  EXPECT_EQ(Utf8FromPath(PathFromUtf8("Società")), "Società");
  EXPECT_EQ(PathIn("Società", "già.txt").size(), std::string("Società/già.txt").size());
}

// Read-only is decided by the file's own mode bits, so this holds for root too.
TEST(ReplaceFile, AReadOnlyFileIsRefusedAndKept) {
  ScratchDirectory dir;
  const std::string name = dir.text() + "/doc.txt";
  WriteFile(name, "earlier");
  fs::permissions(name, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);

  const Status status = ReplaceFileContent(DefaultOs(), name, "new");
  EXPECT_EQ(status.kind(), ExitStatus::kFileSystem);
  EXPECT_EQ(status.message(), name + ": cannot replace a read-only file");
  EXPECT_EQ(ReadFile(name), "earlier");
  EXPECT_EQ(ListDirectory(dir.path()), std::vector<std::string>{"doc.txt"});
}

// Windows has one read-only flag instead of three write bits.
#if !defined(_WIN32)
TEST(ReplaceFile, AnyWriteBitMakesAFileReplaceable) {
  ScratchDirectory dir;
  const std::string name = dir.text() + "/doc.txt";
  WriteFile(name, "earlier");
  fs::permissions(name, fs::perms::owner_read | fs::perms::others_write);
  EXPECT_TRUE(ReplaceFileContent(DefaultOs(), name, "new").ok());
  EXPECT_EQ(ReadFile(name), "new");
}
#endif

TEST(ReplaceFile, AMissingDirectoryIsAFileSystemError) {
  ScratchDirectory dir;
  const std::string name = dir.text() + "/missing/doc.txt";
  const Status status = ReplaceFileContent(DefaultOs(), name, "x");
  EXPECT_EQ(status.kind(), ExitStatus::kFileSystem);
  EXPECT_EQ(status.message(), name + ": cannot write in its directory: No such file or directory");
}

TEST(ReplaceFile, AFailedRenameKeepsTheTargetAndRemovesTheTemporaryFile) {
  ScratchDirectory dir;
  const std::string name = dir.text() + "/doc.txt";
  fs::create_directory(name);  // a directory cannot be replaced by a file
  WriteFile(name + "/inside", "kept");

  const Status status = ReplaceFileContent(DefaultOs(), name, "x");
  EXPECT_EQ(status.kind(), ExitStatus::kFileSystem);
  EXPECT_EQ(status.message().rfind(name + ": cannot replace the file: ", 0), 0u)
      << status.message();
  EXPECT_EQ(ReadFile(name + "/inside"), "kept");
  EXPECT_EQ(ListDirectory(dir.path()), std::vector<std::string>{"doc.txt"});
}

// Temporary files are recognisably a replacement's own, and only those of
// the names about to be written go.
TEST(ReplaceFile, StaleTemporaryFilesOfANameAreRemovedAndNothingElse) {
  ScratchDirectory dir;
  const std::string name = dir.text() + "/doc.txt";
  const std::vector<std::string> kept = {"doc.txt",
                                         "doc.txt.1a2b3c4.partial",   // seven digits
                                         "doc.txt.1A2B3C4D.partial",  // not ours: capitals
                                         "doc.txt.1a2b3c4d.tmp",      // another suffix
                                         "doc.txt.1a2b3c4d.partial.x",
                                         "other.txt.1a2b3c4d.partial"};
  for (const std::string& file : kept) WriteFile(dir.path() / file, "x");
  WriteFile(dir.path() / "doc.txt.1a2b3c4d.partial", "left by a killed run");
  WriteFile(dir.path() / "doc.txt.00000000.partial", "left by another");

  RemoveStaleTemporaryFiles(DefaultOs(), name);
  std::vector<std::string> expected = kept;
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(ListDirectory(dir.path()), expected);
  RemoveStaleTemporaryFiles(DefaultOs(),
                            dir.text() + "/missing/doc.txt");  // no directory: nothing to do
}

TEST(ReadFileFrom, GivesTheSizeAndTheBytesFromTheOffsetOn) {
  ScratchDirectory dir;
  const std::string name = dir.text() + "/program";
  WriteFile(name, "installer|scenario");
  Os& os = DefaultOs();
  const Result<FileTail> tail = ReadFileFrom(os, name, 10);
  ASSERT_TRUE(tail.ok()) << tail.status().message();
  EXPECT_EQ(tail->file_size, 18u);
  EXPECT_EQ(tail->bytes, "scenario");
  EXPECT_EQ(ReadFileFrom(os, name, 0)->bytes, "installer|scenario");
  const Result<FileTail> past = ReadFileFrom(os, name, 1000);
  ASSERT_TRUE(past.ok()) << past.status().message();
  EXPECT_EQ(past->file_size, 18u);
  EXPECT_EQ(past->bytes, "");
  EXPECT_EQ(ReadFileFrom(os, dir.text() + "/missing", 0).status().kind(), ExitStatus::kFileSystem);
  // POSIX opens a directory and sees what it is; Windows refuses to open it.
  const Status directory = ReadFileFrom(os, dir.text(), 0).status();
  EXPECT_EQ(directory.message().rfind(dir.text() + ": cannot read the file: ", 0), 0u);
#if !defined(_WIN32)
  EXPECT_EQ(directory.message(), dir.text() + ": cannot read the file: not a regular file");
#endif
}

#if !defined(_WIN32)
// A link planted where the run reads its own files is not followed; the
// tool reads an author's files through links as it always has.
TEST(ReadWholeFile, ALinkIsFollowedOnlyWhenAsked) {
  ScratchDirectory dir;
  WriteFile(dir.path() / "elsewhere", "not ours");
  fs::create_symlink(dir.path() / "elsewhere", dir.path() / "doc.txt");
  const std::string name = dir.text() + "/doc.txt";
  EXPECT_EQ(ReadWholeFile(DefaultOs(), name).status().message(),
            name + ": cannot read the file: Too many levels of symbolic links");
  const Result<std::string> followed = ReadWholeFile(DefaultOs(), name, Links::kFollow);
  ASSERT_TRUE(followed.ok()) << followed.status().message();
  EXPECT_EQ(*followed, "not ours");
  const Result<FileInfo> info = DefaultOs().Stat(name);
  ASSERT_TRUE(info.ok()) << info.status().message();
  EXPECT_EQ(info->type, FileType::kRegular);
}
#endif

#if !defined(_WIN32)
// Windows writes each rename through; only POSIX systems flush a directory.
TEST(FlushDirectory, AMissingDirectoryIsAFileSystemError) {
  ScratchDirectory dir;
  EXPECT_TRUE(FlushDirectoryOf(DefaultOs(), dir.text() + "/doc.txt").ok());
  const Status status = FlushDirectoryOf(DefaultOs(), dir.text() + "/missing/doc.txt");
  EXPECT_EQ(status.kind(), ExitStatus::kFileSystem);
  EXPECT_EQ(status.message().rfind(dir.text() + "/missing: cannot flush the directory", 0), 0u)
      << status.message();
}
#endif

#if !defined(_WIN32)
// A file-size limit stands in for a full disk: the write fails part way.
TEST(ReplaceFile, AFailedWriteKeepsTheEarlierFileExactly) {
  ScratchDirectory dir;
  const std::string name = dir.text() + "/doc.txt";
  const std::string earlier = "earlier content\r\n";
  WriteFile(name, earlier);

  const pid_t child = fork();
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{4096, 4096};
    setrlimit(RLIMIT_FSIZE, &limit);
    const Status status = ReplaceFileContent(DefaultOs(), name, std::string(100000, 'y'));
    const bool expected = status.message() == name + ": cannot write the file: File too large";
    _exit(expected ? 0 : 1);
  }
  int wait_status = 0;
  ASSERT_EQ(waitpid(child, &wait_status, 0), child);
  ASSERT_TRUE(WIFEXITED(wait_status));
  EXPECT_EQ(WEXITSTATUS(wait_status), 0) << "the write did not fail with the expected message";
  EXPECT_EQ(ReadFile(name), earlier);
  EXPECT_EQ(ListDirectory(dir.path()), std::vector<std::string>{"doc.txt"});
}

#endif  // a file-size limit exists only on POSIX systems

}  // namespace
}  // namespace tarvosa
