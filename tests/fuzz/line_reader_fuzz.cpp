// Any line definition file, read with the plan: a known code, never a crash.
#include <cstddef>
#include <cstdint>

#include "compiler/memorizza_dati.h"
#include "fuzz_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const tarvosa::fuzz::ScratchFiles files;
  tarvosa::CompilerState state = files.Prepare(
      std::string_view(reinterpret_cast<const char*>(data), size), "[generale]\r\n[fine]\r\n");
  if (!tarvosa::memorizza_dati(state).ok()) std::abort();
  tarvosa::fuzz::CheckKnownCode(state.error_code);
  return 0;
}
