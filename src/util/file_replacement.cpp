// Replacing a file whole: the temporary file beside it, written, flushed,
// closed and renamed over it, and the clean-up of temporary files that
// killed runs left.
#include <random>

#include "util/files.h"

namespace tarvosa {
namespace fs = std::filesystem;
namespace {

constexpr std::string_view kTemporarySuffix = ".partial";
constexpr std::size_t kTemporaryDigits = 8;
// Eight hexadecimal digits make a clash with another file all but
// impossible: this many taken names in a row mean the names are not what
// they seem (a system that reads them other than written), not bad luck.
constexpr int kTemporaryDraws = 100;

// What a file sink gathers before it writes: the plan of a long line is
// written in a few dozen calls, never held whole.
constexpr std::size_t kWriteChunk = 64 * 1024;

std::string Utf8(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

std::string DirectoryOf(const std::string& name) {
  const fs::path path = PathFromUtf8(name);
  return path.has_parent_path() ? Utf8(path.parent_path()) : ".";
}

Status CannotReplace(const std::string& name, const Status& why) {
  return Status::FileSystemError(name + ": cannot replace the file: " + why.message());
}

Status CannotWrite(const std::string& name, const Status& why) {
  return Status::FileSystemError(name + ": cannot write the file: " + why.message());
}

// An existing file without any write permission bit was made read-only on
// purpose.
Status CheckReplaceable(Os& os, const std::string& name) {
  const Result<FileInfo> target = os.Stat(name);
  if (!target.ok()) return CannotReplace(name, target.status());
  constexpr std::uint32_t kAnyWrite = 0222;
  if (target->type != FileType::kMissing && (target->permissions & kAnyWrite) == 0) {
    return Status::FileSystemError(name + ": cannot replace a read-only file");
  }
  return Status();
}

std::string RandomTemporaryName(const std::string& name) {
  std::random_device random;
  constexpr char kDigits[] = "0123456789abcdef";
  std::string candidate = name + ".";
  for (std::size_t i = 0; i < kTemporaryDigits; ++i) candidate += kDigits[random() % 16];
  return candidate + std::string(kTemporarySuffix);
}

struct TemporaryFile {
  std::string name;
  File file;
};

// A new file beside `name` under a name no file had: "NAME.1a2b3c4d.partial".
Result<TemporaryFile> CreateTemporaryFile(Os& os, const std::string& name) {
  for (int draw = 0; draw < kTemporaryDraws; ++draw) {
    std::string temporary = RandomTemporaryName(name);
    Result<File> created = os.CreateNewFile(temporary);
    if (created.ok()) return TemporaryFile{std::move(temporary), std::move(*created)};
    // Only a name that is taken is worth another draw.
    const Result<FileInfo> there = os.Stat(temporary);
    if (!there.ok() || there->type == FileType::kMissing) return created.status();
  }
  return Status::FileSystemError("every one of " + std::to_string(kTemporaryDraws) +
                                 " temporary names drawn beside it was taken");
}

// Gathers bytes and writes them in large pieces; after a failed write it
// drops the rest and keeps the failure.
class FileSink final : public ByteSink {
 public:
  FileSink(Os& os, File& file) : os_(os), file_(file) {}

  void Append(std::string_view bytes) override {
    if (!status_.ok()) return;
    buffer_.append(bytes);
    if (buffer_.size() >= kWriteChunk) WriteBuffer();
  }

  // Writes what is still gathered; the first failure of any write.
  Status Finish() {
    if (status_.ok()) WriteBuffer();
    return status_;
  }

 private:
  void WriteBuffer() {
    if (!buffer_.empty()) status_ = os_.Write(file_, buffer_);
    buffer_.clear();
  }

  Os& os_;
  File& file_;
  std::string buffer_;
  Status status_;
};

// The content reaches the disk before its name does.
Status WriteAndFlush(Os& os, File& file, const std::string& name,
                     const std::function<void(ByteSink&)>& produce) {
  FileSink sink(os, file);
  produce(sink);
  if (Status written = sink.Finish(); !written.ok()) return CannotWrite(name, written);
  if (Status flushed = os.Flush(file); !flushed.ok()) return CannotReplace(name, flushed);
  return Status();
}

}  // namespace

Status ReplaceFileWith(Os& os, const std::string& name,
                       const std::function<void(ByteSink&)>& produce) {
  if (Status replaceable = CheckReplaceable(os, name); !replaceable.ok()) return replaceable;
  Result<TemporaryFile> temporary = CreateTemporaryFile(os, name);
  if (!temporary.ok()) {
    return Status::FileSystemError(
        name + ": cannot write in its directory: " + temporary.status().message());
  }
  Status status = WriteAndFlush(os, temporary->file, name, produce);
  // Closed before the rename or the removal: Windows does neither to an
  // open file.
  const Status closed = os.Close(temporary->file);
  if (status.ok() && !closed.ok()) status = CannotWrite(name, closed);
  if (status.ok()) {
    if (Status renamed = os.RenameOver(temporary->name, name); !renamed.ok()) {
      status = CannotReplace(name, renamed);
    }
  }
  if (!status.ok()) (void)os.Unlink(temporary->name);
  return status;
}

Status ReplaceFileContent(Os& os, const std::string& name, std::string_view bytes) {
  return ReplaceFileWith(os, name, [bytes](ByteSink& sink) { sink.Append(bytes); });
}

std::string SampleTemporaryName(const std::string& name) {
  return name + '.' + std::string(kTemporaryDigits, 'f') + std::string(kTemporarySuffix);
}

bool IsTemporaryNameOf(std::string_view entry, std::string_view file) {
  const std::size_t digits_at = file.size() + 1;
  if (entry.size() != digits_at + kTemporaryDigits + kTemporarySuffix.size()) return false;
  if (!entry.starts_with(file) || entry[file.size()] != '.') return false;
  if (!entry.ends_with(kTemporarySuffix)) return false;
  for (std::size_t i = digits_at; i < digits_at + kTemporaryDigits; ++i) {
    const char c = entry[i];
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  }
  return true;
}

Status FlushDirectoryOf(Os& os, const std::string& name) {
  const std::string directory = DirectoryOf(name);
  if (Status flushed = os.FlushDirectory(directory); !flushed.ok()) {
    return Status::FileSystemError(
        directory + ": cannot flush the directory to the disk: " + flushed.message());
  }
  return Status();
}

void RemoveStaleTemporaryFiles(Os& os, const std::string& name) {
  const std::string file = Utf8(PathFromUtf8(name).filename());
  const Result<std::vector<std::string>> entries = os.ListDirectory(DirectoryOf(name));
  if (!entries.ok()) return;
  for (const std::string& entry : *entries) {
    // The entry is the file's name and a suffix: so is its path.
    if (IsTemporaryNameOf(entry, file)) (void)os.Unlink(name + entry.substr(file.size()));
  }
}

}  // namespace tarvosa
