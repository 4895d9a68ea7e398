// Windows: the executable's directory from GetModuleFileNameW, wide
// throughout and handed on as UTF-8. Until the program has its own window,
// it shows its notice and messages on the standard error as on Linux.
#include <windows.h>

#include <string>

#include "app/platform.h"
#include "app/terminal_screen.h"

namespace tarvosa::platform {
namespace {

std::optional<std::string> Utf8FromWide(const std::wstring& wide) {
  if (wide.empty()) return std::string();
  const int size = static_cast<int>(wide.size());
  const int bytes =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return std::nullopt;
  std::string utf8(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), bytes, nullptr, nullptr);
  return utf8;
}

std::optional<std::wstring> ProgramPath() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD capacity = static_cast<DWORD>(buffer.size());
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), capacity);
    if (length == 0) return std::nullopt;
    if (length < capacity) return buffer.substr(0, length);
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace

void PrepareProcess() {}

std::optional<std::string> ExecutableDirectory() {
  const auto program = ProgramPath();
  if (!program) return std::nullopt;
  const auto separator = program->find_last_of(L"\\/");
  if (separator == std::wstring::npos) return std::nullopt;
  std::wstring directory = program->substr(0, separator);
  // A drive root keeps its separator: "C:\".
  if (directory.size() == 2 && directory[1] == L':') directory += L'\\';
  return Utf8FromWide(directory);
}

char PathSeparator() {
  return '\\';
}

std::unique_ptr<Screen> OpenScreen() {
  return std::make_unique<TerminalScreen>();
}

}  // namespace tarvosa::platform
