// Reading and deleting a file, and naming one in a directory.
#include "util/files.h"

#include <algorithm>
#include <span>

namespace tarvosa {
namespace fs = std::filesystem;
namespace {

constexpr std::uint64_t kReadChunk = 64 * 1024;

Status CannotRead(const std::string& name, const Status& why) {
  return Status::FileSystemError(name + ": cannot read the file: " + why.message());
}

struct OpenedFile {
  File file;
  FileInfo info;
};

// A directory opens on some systems and then fails as it is read: only a
// regular file is read.
Result<OpenedFile> OpenRegularFile(Os& os, const std::string& name, Links links) {
  Result<File> file = os.OpenForReading(name, links);
  if (!file.ok()) return file.status();
  const Result<FileInfo> info = os.StatFile(*file);
  if (!info.ok()) return info.status();
  if (info->type != FileType::kRegular) return Status::FileSystemError("not a regular file");
  return OpenedFile{std::move(*file), *info};
}

// The bytes of `file` from `offset` to its end, `expected` of them as far
// as its size said. The string has room for one byte more, so that a file
// of the size said is read into it whole and its end seen without moving it;
// only a file that grew meanwhile makes it grow.
Result<std::string> ReadToEnd(Os& os, File& file, std::uint64_t offset, std::uint64_t expected) {
  std::string bytes(expected + 1, '\0');
  std::size_t filled = 0;
  for (;;) {
    if (filled == bytes.size())
      bytes.resize(filled + std::max<std::size_t>(filled / 2, kReadChunk));
    const Result<std::size_t> read =
        os.Read(file, offset + filled, std::span<char>(bytes).subspan(filled));
    if (!read.ok()) return read.status();
    if (*read == 0) {
      bytes.resize(filled);
      return bytes;
    }
    filled += *read;
  }
}

// Closes a file only read; a failure still says the reading failed.
Result<std::string> ClosedAfterReading(Os& os, File& file, Result<std::string> bytes) {
  const Status closed = os.Close(file);
  if (bytes.ok() && !closed.ok()) return closed;
  return bytes;
}

}  // namespace

fs::path PathFromUtf8(const std::string& name) {
  return fs::path(std::u8string(name.begin(), name.end()));
}

std::string Utf8FromPath(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

std::string PathIn(const std::string& directory, const std::string& entry) {
  const std::u8string joined = (PathFromUtf8(directory) / PathFromUtf8(entry)).u8string();
  return std::string(joined.begin(), joined.end());
}

Result<std::string> ReadWholeFile(Os& os, const std::string& name, Links links) {
  Result<std::string> bytes = ReadFileBytes(os, name, links);
  if (!bytes.ok()) return CannotRead(name, bytes.status());
  return bytes;
}

Result<std::string> ReadFileBytes(Os& os, const std::string& name, Links links) {
  Result<OpenedFile> opened = OpenRegularFile(os, name, links);
  if (!opened.ok()) return opened.status();
  return ClosedAfterReading(os, opened->file, ReadToEnd(os, opened->file, 0, opened->info.size));
}

Result<FileTail> ReadFileFrom(Os& os, const std::string& name, std::uint64_t offset) {
  Result<OpenedFile> opened = OpenRegularFile(os, name, Links::kRefuse);
  if (!opened.ok()) return CannotRead(name, opened.status());
  FileTail tail{.file_size = opened->info.size, .bytes = {}};
  const std::uint64_t expected = offset < tail.file_size ? tail.file_size - offset : 0;
  Result<std::string> bytes =
      ClosedAfterReading(os, opened->file, ReadToEnd(os, opened->file, offset, expected));
  if (!bytes.ok()) return CannotRead(name, bytes.status());
  tail.bytes = std::move(*bytes);
  return tail;
}

Status DeleteFileIfPresent(Os& os, const std::string& name) {
  if (Status removed = os.Unlink(name); !removed.ok()) {
    return Status::FileSystemError(name + ": cannot delete the file: " + removed.message());
  }
  return Status();
}

}  // namespace tarvosa
