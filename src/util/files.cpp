#include "util/files.h"

#include <cerrno>
#include <fstream>
#include <iterator>
#include <random>
#include <system_error>

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

// A name beside `name` that no file has yet.
std::string TemporaryNameFor(const std::string& name) {
  std::random_device random;
  constexpr char kDigits[] = "0123456789abcdef";
  for (;;) {
    std::string candidate = name + ".";
    for (int i = 0; i < 8; ++i) candidate += kDigits[random() % 16];
    candidate += ".tmp";
    std::error_code ignored;
    if (!fs::exists(PathFromUtf8(candidate), ignored)) return candidate;
  }
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

  std::error_code error;
  fs::rename(PathFromUtf8(temporary), target, error);
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

bool IsRegularFile(const std::string& name) {
  std::error_code ignored;
  return fs::is_regular_file(PathFromUtf8(name), ignored);
}

std::optional<std::string> ReadWholeFile(const std::string& name) {
  std::ifstream in(PathFromUtf8(name), std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return bytes;
}

Status DeleteFileIfPresent(const std::string& name) {
  std::error_code error;
  fs::remove(PathFromUtf8(name), error);
  if (error) return Status::FileSystemError(name + ": cannot delete the file: " + error.message());
  return Status();
}

}  // namespace tarvosa
