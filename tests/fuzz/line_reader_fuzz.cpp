// Any line definition file, read with the plan: a known code, never a crash.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "compiler/internal/memorizza_dati.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tarvosa::CompiledScenario scenario;
  tarvosa::Diagnostics diagnostics;
  tarvosa::memorizza_dati({.line_text = std::string_view(reinterpret_cast<const char*>(data), size),
                           .train_text = "[generale]\r\n[fine]\r\n",
                           .route_title = "Tarvosa",
                           .train_title = "Corvale",
                           .plan = true},
                          scenario, diagnostics);
  tarvosa::fuzz::CheckKnownCode(diagnostics.error_code());
  return 0;
}
