// Windows: the window Form1 with its one label, message boxes, and the
// executable and its directory from GetModuleFileNameW, wide throughout and
// handed on as UTF-8.
#include <windows.h>

#include <string>

#include "app/platform.h"

namespace tarvosa::platform {
namespace {

std::wstring Wide(std::string_view utf8) {
  if (utf8.empty()) return std::wstring();
  const int size = static_cast<int>(utf8.size());
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
  return wide;
}

std::optional<std::string> Utf8(const std::wstring& wide) {
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

// The window's sizes, in twips (1/1440 inch).
constexpr int kClientWidth = 4200, kClientHeight = 2688;
constexpr int kLabelLeft = 960, kLabelTop = 960, kLabelWidth = 2652, kLabelHeight = 792;
constexpr int kFontPoints = 24;
constexpr wchar_t kWindowClass[] = L"Form1";

// The small window whose only content is the label; it stays on screen,
// without handling messages, until the run ends.
class WindowScreen final : public Screen {
 public:
  ~WindowScreen() override {
    if (window_ != nullptr) DestroyWindow(window_);
    if (font_ != nullptr) DeleteObject(font_);
  }

  void ShowWaitingWindow(std::string_view title, std::string_view caption) override {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW form{};
    form.lpfnWndProc = DefWindowProcW;
    form.hInstance = instance;
    form.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    form.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    form.lpszClassName = kWindowClass;
    RegisterClassW(&form);

    const HDC screen = GetDC(nullptr);
    const int dpi_x = GetDeviceCaps(screen, LOGPIXELSX), dpi_y = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    const auto x = [&](int twips) { return MulDiv(twips, dpi_x, 1440); };
    const auto y = [&](int twips) { return MulDiv(twips, dpi_y, 1440); };

    constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame{0, 0, x(kClientWidth), y(kClientHeight)};
    AdjustWindowRect(&frame, kStyle, FALSE);
    window_ = CreateWindowW(kWindowClass, Wide(title).c_str(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                            frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                            instance, nullptr);
    if (window_ == nullptr) return;
    font_ = CreateFontW(-MulDiv(kFontPoints, dpi_y, 72), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                        ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                        DEFAULT_PITCH | FF_DONTCARE, L"MS Sans Serif");
    const HWND label = CreateWindowW(
        L"STATIC", Wide(caption).c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT, x(kLabelLeft),
        y(kLabelTop), x(kLabelWidth), y(kLabelHeight), window_, nullptr, instance, nullptr);
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    ShowWindow(window_, SW_SHOWNORMAL);
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  }

  // A modal box with only OK, no icon and the default title.
  void ShowMessage(std::string_view text) override {
    MessageBoxW(nullptr, Wide(text).c_str(), nullptr, MB_OK);
  }

 private:
  HWND window_ = nullptr;
  HFONT font_ = nullptr;
};

}  // namespace

void PrepareProcess() {}

Result<std::string> ExecutablePath() {
  const auto program = ProgramPath();
  const auto utf8 = program ? Utf8(*program) : std::nullopt;
  if (!utf8) return Status::FileSystemError("cannot find the running program's file");
  return *utf8;
}

std::optional<std::string> ExecutableDirectory() {
  const auto program = ProgramPath();
  if (!program) return std::nullopt;
  const auto separator = program->find_last_of(L"\\/");
  if (separator == std::wstring::npos) return std::nullopt;
  std::wstring directory = program->substr(0, separator);
  // A drive root keeps its separator: "C:\".
  if (directory.size() == 2 && directory[1] == L':') directory += L'\\';
  return Utf8(directory);
}

char PathSeparator() {
  return '\\';
}

std::unique_ptr<Screen> OpenScreen() {
  return std::make_unique<WindowScreen>();
}

}  // namespace tarvosa::platform
