// Any train data file over this scenario's own line: a known code, never a
// crash. The line is read once, without its plan; each input starts from a
// copy of what it left.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "compiler/internal/line_reader.h"
#include "compiler/internal/train_reader.h"
#include "fuzz_support.h"
#include "scenario/line_table.h"

namespace {

struct LineRead {
  tarvosa::CompiledScenario scenario;
  tarvosa::ReaderScratch scratch;
};

LineRead ReadTheLine() {
  static const std::string bytes = [] {
    std::string text;
    for (const std::string_view entry : tarvosa::scenario::kLineDefinition) {
      text.append(entry).append("\r\n");
    }
    return text;
  }();
  LineRead read;
  tarvosa::Diagnostics diagnostics;
  const auto end = tarvosa::ReadLineFile(bytes, false, read.scenario, read.scratch, diagnostics);
  if (end != tarvosa::LineHalfEnd::kTrainHalfFollows || diagnostics.HasError()) std::abort();
  return read;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const LineRead line = ReadTheLine();
  LineRead read = line;
  tarvosa::Diagnostics diagnostics;
  tarvosa::ReadTrainFile(std::string_view(reinterpret_cast<const char*>(data), size), read.scenario,
                         read.scratch, diagnostics);
  tarvosa::fuzz::CheckKnownCode(diagnostics.error_code());
  return 0;
}
