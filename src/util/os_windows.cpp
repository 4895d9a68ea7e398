// Windows: handles opened without following reparse points,
// FlushFileBuffers, MoveFileExW with write-through, and a lock file opened
// for nobody else to share that is deleted when closed.
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <system_error>
#include <thread>

#include "util/os.h"

namespace tarvosa {
namespace {

// In the C library's words where it has them, as the messages have been.
Status Failure(DWORD code) {
  const std::error_code error(static_cast<int>(code), std::system_category());
  return Status::FileSystemError(error.default_error_condition().message());
}

Status LastError() {
  return Failure(GetLastError());
}

// A reason no system code gives, in the C library's words.
Status GenericFailure(int error) {
  return Status::FileSystemError(std::generic_category().message(error));
}

// A link that was not followed: no reason of the system's.
Status LinkRefused() {
  return Status::FileSystemError("the name is a link, which is not followed");
}

bool NotFound(DWORD code) {
  return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND;
}

std::wstring Wide(const std::string& utf8) {
  if (utf8.empty()) return std::wstring();
  const int size = static_cast<int>(utf8.size());
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
  return wide;
}

std::string Utf8(const wchar_t* wide) {
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  if (bytes <= 1) return std::string();
  std::string utf8(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8.data(), bytes, nullptr, nullptr);
  utf8.pop_back();  // the terminating NUL
  return utf8;
}

HANDLE HandleOf(const File& file) {
  return reinterpret_cast<HANDLE>(file.handle());
}

// A FILETIME counts 100 ns from 1601; the system clock's epoch is 1970's.
std::chrono::system_clock::time_point TimeOf(const FILETIME& time) {
  constexpr std::uint64_t kFrom1601To1970 = 116444736000000000;
  const std::uint64_t ticks =
      static_cast<std::uint64_t>(time.dwHighDateTime) << 32 | time.dwLowDateTime;
  const std::chrono::duration<std::int64_t, std::ratio<1, 10000000>> since_1970(
      static_cast<std::int64_t>(ticks - kFrom1601To1970));
  return std::chrono::system_clock::time_point(
      std::chrono::duration_cast<std::chrono::system_clock::duration>(since_1970));
}

FileInfo InfoOf(DWORD attributes, DWORD size_high, DWORD size_low, const FILETIME& written) {
  FileInfo info;
  info.type = (attributes & FILE_ATTRIBUTE_DIRECTORY) ? FileType::kDirectory : FileType::kRegular;
  info.permissions = (attributes & FILE_ATTRIBUTE_READONLY) ? 0444 : 0666;
  info.size = static_cast<std::uint64_t>(size_high) << 32 | size_low;
  info.last_written = TimeOf(written);
  return info;
}

FileInfo InfoOf(const BY_HANDLE_FILE_INFORMATION& information) {
  return InfoOf(information.dwFileAttributes, information.nFileSizeHigh, information.nFileSizeLow,
                information.ftLastWriteTime);
}

bool IsSeparator(wchar_t c) {
  return c == L'\\' || c == L'/';
}

// The directory `path` names, without its last name; "" when it has none
// or is a drive's root.
std::wstring ParentOf(const std::wstring& path) {
  std::size_t end = path.size();
  while (end > 0 && IsSeparator(path[end - 1])) --end;
  while (end > 0 && !IsSeparator(path[end - 1])) --end;
  while (end > 1 && IsSeparator(path[end - 1]) && path[end - 2] != L':') --end;
  return path.substr(0, end);
}

Result<BY_HANDLE_FILE_INFORMATION> HandleInformation(HANDLE handle) {
  BY_HANDLE_FILE_INFORMATION information{};
  if (!GetFileInformationByHandle(handle, &information)) return LastError();
  return information;
}

// Parents first, only when the directory cannot be made without them.
Status MakeWideDirectories(const std::wstring& path) {
  if (CreateDirectoryW(path.c_str(), nullptr)) return Status();
  DWORD code = GetLastError();
  if (code == ERROR_PATH_NOT_FOUND) {
    const std::wstring parent = ParentOf(path);
    if (parent.empty()) return Failure(code);
    if (Status made = MakeWideDirectories(parent); !made.ok()) return made;
    if (CreateDirectoryW(path.c_str(), nullptr)) return Status();
    code = GetLastError();
  }
  if (code != ERROR_ALREADY_EXISTS && code != ERROR_ACCESS_DENIED) return Failure(code);
  // A drive's root answers that it cannot be made, not that it is there.
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return Failure(code);
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return GenericFailure(ENOTDIR);
  return Status();
}

class WindowsOs final : public Os {
 public:
  Result<File> OpenForReading(const std::string& path, Links links) override {
    if (Status name = CheckNoNul(path); !name.ok()) return name;
    const bool refuse = links == Links::kRefuse;
    const DWORD flags = FILE_ATTRIBUTE_NORMAL | (refuse ? FILE_FLAG_OPEN_REPARSE_POINT : 0);
    const HANDLE handle =
        CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, flags, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return LastError();
    File file(*this, reinterpret_cast<File::Handle>(handle));
    if (refuse && IsReparsePoint(handle)) return LinkRefused();
    return file;
  }

  Result<File> CreateNewFile(const std::string& path) override {
    if (Status name = CheckNoNul(path); !name.ok()) return name;
    const HANDLE handle =
        CreateFileW(Wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return LastError();
    return File(*this, reinterpret_cast<File::Handle>(handle));
  }

  // Opened for nobody else to share: the open itself is the lock.
  Result<std::optional<File>> OpenLockFile(const std::string& path) override {
    if (Status name = CheckNoNul(path); !name.ok()) return name;
    const std::wstring wide = Wide(path);
    const HANDLE handle = CreateFileW(
        wide.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
      const DWORD code = GetLastError();
      // Held by another run, or still being deleted by the one before.
      const bool busy = code == ERROR_SHARING_VIOLATION ||
                        (code == ERROR_ACCESS_DENIED &&
                         GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES);
      // A directory under the name is refused at once, not waited for.
      const DWORD attributes = GetFileAttributesW(wide.c_str());
      if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return GenericFailure(EISDIR);
      }
      if (busy) return std::optional<File>();
      return Failure(code);
    }
    File file(*this, reinterpret_cast<File::Handle>(handle));
    // A link put in its place is deleted as it is closed, never followed.
    if (IsReparsePoint(handle)) return LinkRefused();
    return std::optional<File>(std::move(file));
  }

  Result<std::size_t> Read(File& file, std::uint64_t offset, std::span<char> buffer) override {
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    const DWORD most = static_cast<DWORD>(std::min<std::size_t>(buffer.size(), 1u << 30));
    DWORD read = 0;
    if (!ReadFile(HandleOf(file), buffer.data(), most, &read, &at)) {
      if (GetLastError() == ERROR_HANDLE_EOF) return std::size_t{0};
      return LastError();
    }
    return static_cast<std::size_t>(read);
  }

  Status Write(File& file, std::string_view bytes) override {
    while (!bytes.empty()) {
      const DWORD most = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
      DWORD written = 0;
      if (!WriteFile(HandleOf(file), bytes.data(), most, &written, nullptr)) return LastError();
      if (written == 0) return Failure(ERROR_WRITE_FAULT);
      bytes.remove_prefix(written);
    }
    return Status();
  }

  Status Flush(File& file) override {
    if (!FlushFileBuffers(HandleOf(file))) return LastError();
    return Status();
  }

  Status Close(File& file) override {
    if (!CloseHandle(reinterpret_cast<HANDLE>(file.Release()))) return LastError();
    return Status();
  }

  // A handle that is no file on a disk (a device, a pipe) is another kind.
  Result<FileInfo> StatFile(const File& file) override {
    const auto information = HandleInformation(HandleOf(file));
    if (!information.ok()) return information.status();
    FileInfo info = InfoOf(*information);
    if (GetFileType(HandleOf(file)) != FILE_TYPE_DISK) info.type = FileType::kOther;
    return info;
  }

  // The file was opened for nobody else to share: holding it is the lock.
  Result<bool> TryLock(File&) override { return true; }

  // A name opened without any access, which a file held for nobody else to
  // share still allows.
  Result<bool> IsSameFile(const File& file, const std::string& path) override {
    if (Status name = CheckNoNul(path); !name.ok()) return name;
    const HANDLE named = CreateFileW(
        Wide(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (named == INVALID_HANDLE_VALUE) {
      const DWORD code = GetLastError();
      if (NotFound(code)) return false;
      return Failure(code);
    }
    const auto now = HandleInformation(named);
    CloseHandle(named);
    const auto held = HandleInformation(HandleOf(file));
    if (!now.ok()) return now.status();
    if (!held.ok()) return held.status();
    return now->dwVolumeSerialNumber == held->dwVolumeSerialNumber &&
           now->nFileIndexHigh == held->nFileIndexHigh && now->nFileIndexLow == held->nFileIndexLow;
  }

  // The attributes the directory holds for the name, without opening it;
  // a link is opened for what it points to.
  Result<FileInfo> Stat(const std::string& path) override {
    if (Status name = CheckNoNul(path); !name.ok()) return name;
    const std::wstring wide = Wide(path);
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(wide.c_str(), GetFileExInfoStandard, &data)) {
      const DWORD code = GetLastError();
      if (NotFound(code)) return FileInfo{};
      return Failure(code);
    }
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
      return InfoOf(data.dwFileAttributes, data.nFileSizeHigh, data.nFileSizeLow,
                    data.ftLastWriteTime);
    }
    const HANDLE target =
        CreateFileW(wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (target == INVALID_HANDLE_VALUE) {
      const DWORD code = GetLastError();
      if (NotFound(code)) return FileInfo{};  // a link to nothing
      return Failure(code);
    }
    const auto information = HandleInformation(target);
    CloseHandle(target);
    if (!information.ok()) return information.status();
    return InfoOf(*information);
  }

  Status RenameOver(const std::string& from, const std::string& to) override {
    for (const std::string& path : {from, to}) {
      if (Status name = CheckNoNul(path); !name.ok()) return name;
    }
    if (!MoveFileExW(Wide(from).c_str(), Wide(to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return LastError();
    }
    return Status();
  }

  Status MakeDirectories(const std::string& path) override {
    if (Status name = CheckNoNul(path); !name.ok()) return name;
    if (path.empty()) return GenericFailure(EINVAL);
    return MakeWideDirectories(Wide(path));
  }

  // A program is one by its name's ending; the file need only be there.
  Status AddExecutePermission(const std::string& path) override {
    if (Status name = CheckNoNul(path); !name.ok()) return name;
    if (GetFileAttributesW(Wide(path).c_str()) == INVALID_FILE_ATTRIBUTES) return LastError();
    return Status();
  }

  Status Unlink(const std::string& path) override {
    if (Status name = CheckNoNul(path); !name.ok()) return name;
    if (!DeleteFileW(Wide(path).c_str())) {
      const DWORD code = GetLastError();
      if (!NotFound(code)) return Failure(code);
    }
    return Status();
  }

  Result<std::vector<std::string>> ListDirectory(const std::string& path) override {
    if (Status name = CheckNoNul(path); !name.ok()) return name;
    WIN32_FIND_DATAW entry{};
    const HANDLE search = FindFirstFileW((Wide(path) + L"\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return LastError();
    std::vector<std::string> names;
    DWORD code = 0;
    for (;;) {
      const std::wstring_view name = entry.cFileName;
      if (name != L"." && name != L"..") names.push_back(Utf8(entry.cFileName));
      if (!FindNextFileW(search, &entry)) {
        code = GetLastError();
        break;
      }
    }
    FindClose(search);
    if (code != ERROR_NO_MORE_FILES) return Failure(code);
    return names;
  }

  // The renames are written through, so the directory needs nothing more.
  Status FlushDirectory(const std::string& path) override { return CheckNoNul(path); }

  std::chrono::steady_clock::time_point Now() override { return std::chrono::steady_clock::now(); }

  void Sleep(std::chrono::milliseconds duration) override { std::this_thread::sleep_for(duration); }

 private:
  static bool IsReparsePoint(HANDLE handle) {
    const auto information = HandleInformation(handle);
    return information.ok() && (information->dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
  }
};

}  // namespace

Os& DefaultOs() {
  static WindowsOs os;
  return os;
}

}  // namespace tarvosa
