// Windows: FlushFileBuffers, MoveFileExW with write-through, and a lock
// file opened for nobody else to share that is deleted when closed.
#include <windows.h>

#include <thread>

#include "util/os.h"

namespace tarvosa::os {
namespace {

std::error_code LastError() {
  return std::error_code(static_cast<int>(GetLastError()), std::system_category());
}

class HandleLock final : public DirectoryLock {
 public:
  explicit HandleLock(HANDLE handle) : handle_(handle) {}
  ~HandleLock() override { CloseHandle(handle_); }

 private:
  HANDLE handle_;
};

}  // namespace

std::error_code FlushFile(const std::filesystem::path& path) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return LastError();
  std::error_code error;
  if (!FlushFileBuffers(file)) error = LastError();
  CloseHandle(file);
  return error;
}

// The renames are written through, so the directory needs nothing more.
std::error_code FlushDirectory(const std::filesystem::path&) {
  return {};
}

std::error_code RenameOver(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (!MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return LastError();
  }
  return {};
}

std::unique_ptr<DirectoryLock> LockDirectory(const std::filesystem::path& lock_file,
                                             std::chrono::milliseconds wait,
                                             std::error_code& error) {
  const auto deadline = std::chrono::steady_clock::now() + wait;
  for (;;) {
    const HANDLE handle =
        CreateFileW(lock_file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (handle != INVALID_HANDLE_VALUE) return std::make_unique<HandleLock>(handle);
    const DWORD code = GetLastError();
    // Held by another run, or still being deleted by the one before.
    std::error_code ignored;
    const bool busy = code == ERROR_SHARING_VIOLATION ||
                      (code == ERROR_ACCESS_DENIED && std::filesystem::exists(lock_file, ignored));
    if (!busy) {
      error = std::error_code(static_cast<int>(code), std::system_category());
      return nullptr;
    }
    if (std::chrono::steady_clock::now() >= deadline) {
      error = std::make_error_code(std::errc::timed_out);
      return nullptr;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

}  // namespace tarvosa::os
