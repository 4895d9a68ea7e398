// Any train data file over this scenario's own line: a known code, never a
// crash. The plan is left out: the train half does not need it.
#include <cstddef>
#include <cstdint>

#include "compiler/memorizza_dati.h"
#include "fuzz_files.h"
#include "scenario/line_table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const tarvosa::fuzz::ScratchFiles files;
  static const std::string line = [] {
    std::string bytes;
    for (const std::string_view entry : tarvosa::scenario::kLineDefinition) {
      bytes.append(entry).append("\r\n");
    }
    return bytes;
  }();
  tarvosa::CompilerState state =
      files.Prepare(line, std::string_view(reinterpret_cast<const char*>(data), size));
  state.j = 0;
  if (!tarvosa::memorizza_dati(state).ok()) std::abort();
  tarvosa::fuzz::CheckKnownCode(state.error_code);
  return 0;
}
