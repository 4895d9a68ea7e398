// Any pair of files (the line file, a zero byte, the train file), compiled
// whole in memory: a compiled scenario, a data error, or a fatal conflict;
// never a crash.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "compiler/compile.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t split = std::min(input.find('\0'), input.size());
  const std::string_view train = split < input.size() ? input.substr(split + 1) : "";
  const tarvosa::Compilation compiled = tarvosa::Compile({.line_text = input.substr(0, split),
                                                          .train_text = train,
                                                          .route_title = "Tarvosa",
                                                          .train_title = "Corvale",
                                                          .plan = true});
  if (compiled.fatal_conflict != 0 && compiled.fatal_conflict != 1250 &&
      compiled.fatal_conflict != 1251) {
    std::abort();
  }
  tarvosa::fuzz::CheckKnownCode(compiled.diagnostics.error_code());
  return 0;
}
