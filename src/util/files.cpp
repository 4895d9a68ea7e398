#include "util/files.h"

#include <cerrno>
#include <fstream>
#include <iterator>
#include <random>
#include <system_error>

#include "util/os.h"

namespace tarvosa {
namespace fs = std::filesystem;
namespace {

bool IsReadOnly(const fs::path& path) {
  std::error_code ignored;
  const fs::file_status status = fs::status(path, ignored);
  if (!fs::exists(status)) return false;
  constexpr fs::perms kAnyWrite =
      fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  return (status.permissions() & kAnyWrite) == fs::perms::none;
}

std::string LastSystemError() {
  if (errno == 0) return "unknown error";
  return std::generic_category().message(errno);
}

constexpr std::string_view kTemporarySuffix = ".partial";
constexpr std::size_t kTemporaryDigits = 8;

// A name beside `name` that no file has yet: "NAME.1a2b3c4d.partial".
std::string TemporaryNameFor(const std::string& name) {
  std::random_device random;
  constexpr char kDigits[] = "0123456789abcdef";
  for (;;) {
    std::string candidate = name + ".";
    for (std::size_t i = 0; i < kTemporaryDigits; ++i) candidate += kDigits[random() % 16];
    candidate += kTemporarySuffix;
    std::error_code ignored;
    if (!fs::exists(PathFromUtf8(candidate), ignored)) return candidate;
  }
}

// Whether `entry` is a temporary file of the file named `file`.
bool IsTemporaryOf(const std::string& entry, const std::string& file) {
  const std::size_t digits_at = file.size() + 1;
  if (entry.size() != digits_at + kTemporaryDigits + kTemporarySuffix.size()) return false;
  if (entry.compare(0, file.size(), file) != 0 || entry[file.size()] != '.') return false;
  if (entry.compare(digits_at + kTemporaryDigits, std::string::npos, kTemporarySuffix) != 0) {
    return false;
  }
  for (std::size_t i = digits_at; i < digits_at + kTemporaryDigits; ++i) {
    const char c = entry[i];
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  }
  return true;
}

fs::path DirectoryOf(const fs::path& path) {
  return path.has_parent_path() ? path.parent_path() : fs::path(".");
}

class FileSink final : public ByteSink {
 public:
  explicit FileSink(std::ofstream& out) : out_(out) {}
  void Append(std::string_view bytes) override {
    out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }

 private:
  std::ofstream& out_;
};

// Writes what `produce` gives to the new file `name`; on failure removes it
// again.
Status WriteNewFile(const std::string& name, const std::string& target,
                    const std::function<void(ByteSink&)>& produce) {
  const fs::path path = PathFromUtf8(name);
  errno = 0;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) {
    return Status::FileSystemError(target +
                                   ": cannot write in its directory: " + LastSystemError());
  }
  errno = 0;
  FileSink sink(out);
  produce(sink);
  out.close();
  if (out.fail()) {
    const std::string reason = LastSystemError();
    std::error_code ignored;
    fs::remove(path, ignored);
    return Status::FileSystemError(target + ": cannot write the file: " + reason);
  }
  return Status();
}

}  // namespace

fs::path PathFromUtf8(const std::string& name) {
  return fs::path(std::u8string(name.begin(), name.end()));
}

Status ReplaceFileWith(const std::string& name, const std::function<void(ByteSink&)>& produce) {
  const fs::path target = PathFromUtf8(name);
  if (IsReadOnly(target))
    return Status::FileSystemError(name + ": cannot replace a read-only file");

  const std::string temporary = TemporaryNameFor(name);
  if (Status written = WriteNewFile(temporary, name, produce); !written.ok()) return written;
  // The content reaches the disk before its name does.
  std::error_code error = os::FlushFile(PathFromUtf8(temporary));
  if (!error) error = os::RenameOver(PathFromUtf8(temporary), target);
  if (error) {
    std::error_code ignored;
    fs::remove(PathFromUtf8(temporary), ignored);
    return Status::FileSystemError(name + ": cannot replace the file: " + error.message());
  }
  return Status();
}

Status ReplaceFileContent(const std::string& name, std::string_view bytes) {
  return ReplaceFileWith(name, [bytes](ByteSink& sink) { sink.Append(bytes); });
}

Status FlushDirectoryOf(const std::string& name) {
  const fs::path directory = DirectoryOf(PathFromUtf8(name));
  if (const std::error_code error = os::FlushDirectory(directory)) {
    return Status::FileSystemError(directory.string() +
                                   ": cannot flush the directory to the disk: " + error.message());
  }
  return Status();
}

bool IsRegularFile(const std::string& name) {
  std::error_code ignored;
  return fs::is_regular_file(PathFromUtf8(name), ignored);
}

std::optional<std::string> ReadWholeFile(const std::string& name) {
  // A directory opens as a stream on some systems and then fails as it is
  // read: only a regular file is read.
  if (!IsRegularFile(name)) return std::nullopt;
  std::ifstream in(PathFromUtf8(name), std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return bytes;
}

std::optional<FileTail> ReadFileFrom(const std::string& name, std::uint64_t offset) {
  if (!IsRegularFile(name)) return std::nullopt;
  std::error_code error;
  FileTail tail;
  tail.file_size = fs::file_size(PathFromUtf8(name), error);
  if (error) return std::nullopt;
  if (offset >= tail.file_size) return tail;
  std::ifstream in(PathFromUtf8(name), std::ios::binary);
  if (!in.seekg(static_cast<std::streamoff>(offset))) return std::nullopt;
  tail.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return tail;
}

void RemoveStaleTemporaryFiles(const std::string& name) {
  const fs::path path = PathFromUtf8(name);
  const std::string file = path.filename().string();
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(DirectoryOf(path), error)) {
    if (IsTemporaryOf(entry.path().filename().string(), file)) {
      std::error_code ignored;
      fs::remove(entry.path(), ignored);
    }
  }
}

Status DeleteFileIfPresent(const std::string& name) {
  std::error_code error;
  fs::remove(PathFromUtf8(name), error);
  if (error) return Status::FileSystemError(name + ": cannot delete the file: " + error.message());
  return Status();
}

}  // namespace tarvosa
