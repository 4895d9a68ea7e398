// Any train data file over this scenario's own line: a known code, never a
// crash. The plan is left out: the train half does not need it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "compiler/memorizza_dati.h"
#include "fuzz_support.h"
#include "scenario/line_table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string line = [] {
    std::string bytes;
    for (const std::string_view entry : tarvosa::scenario::kLineDefinition) {
      bytes.append(entry).append("\r\n");
    }
    return bytes;
  }();
  tarvosa::CompiledScenario scenario;
  tarvosa::Diagnostics diagnostics;
  tarvosa::memorizza_dati(
      {.line_text = line,
       .train_text = std::string_view(reinterpret_cast<const char*>(data), size),
       .route_title = "Tarvosa",
       .train_title = "Corvale",
       .plan = false},
      scenario, diagnostics);
  tarvosa::fuzz::CheckKnownCode(diagnostics.error_code());
  return 0;
}
