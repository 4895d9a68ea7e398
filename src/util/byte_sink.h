// Somewhere to put bytes a piece at a time, so that a large file need not be
// held whole in memory.
#pragma once

#include <string>
#include <string_view>

namespace tarvosa {

class ByteSink {
 public:
  virtual ~ByteSink() = default;
  virtual void Append(std::string_view bytes) = 0;
};

// A sink that keeps everything in one string.
class StringSink final : public ByteSink {
 public:
  void Append(std::string_view bytes) override { out.append(bytes); }
  std::string out;
};

}  // namespace tarvosa
