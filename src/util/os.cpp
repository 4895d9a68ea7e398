#include "util/os.h"

#include <utility>

#include "util/escape.h"

namespace tarvosa {

File::File(File&& other) noexcept
    : os_(std::exchange(other.os_, nullptr)), handle_(other.handle_) {}

File& File::operator=(File&& other) noexcept {
  if (this != &other) {
    if (os_ != nullptr) (void)os_->Close(*this);
    os_ = std::exchange(other.os_, nullptr);
    handle_ = other.handle_;
  }
  return *this;
}

// Nothing is left to report a failure to: a file whose failure matters is
// closed by Os::Close first.
File::~File() {
  if (os_ != nullptr) (void)os_->Close(*this);
}

File::Handle File::Release() {
  os_ = nullptr;
  return handle_;
}

Status CheckNoNul(const std::string& path) {
  if (path.find('\0') == std::string::npos) return Status();
  return Status::FileSystemError("a name holding a NUL byte names no file: \"" +
                                 EscapeTerminal(path) + "\"");
}

}  // namespace tarvosa
