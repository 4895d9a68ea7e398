// Windows: the words from the wide command line, whatever the ANSI code
// page could hold of them, and the standard streams in binary mode (a line
// ends in LF, as on Linux) with the console's output code page UTF-8 while
// the program runs.
#include <fcntl.h>
#include <io.h>
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>

#include "app/platform_console.h"

namespace tarvosa::platform {
namespace {

std::string Utf8(const wchar_t* wide) {
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  if (bytes <= 1) return std::string();
  std::string utf8(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8.data(), bytes, nullptr, nullptr);
  utf8.pop_back();  // the terminating NUL
  return utf8;
}

// The console's code page before the program changed it, given back at exit.
UINT original_output_page = 0;

void RestoreOutputPage() {
  SetConsoleOutputCP(original_output_page);
}

}  // namespace

std::vector<std::string> CommandLineWords(int argc, char** argv) {
  int count = 0;
  LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
  if (words == nullptr) return std::vector<std::string>(argv + 1, argv + argc);
  std::vector<std::string> utf8;
  for (int i = 1; i < count; ++i) utf8.push_back(Utf8(words[i]));
  LocalFree(words);
  return utf8;
}

void PrepareConsole() {
  std::fflush(stdout);
  std::fflush(stderr);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  // 0 when there is no console: the bytes go to a file or a pipe as they are.
  original_output_page = GetConsoleOutputCP();
  if (original_output_page != 0 && original_output_page != CP_UTF8 && SetConsoleOutputCP(CP_UTF8)) {
    std::atexit(RestoreOutputPage);
  }
}

}  // namespace tarvosa::platform
