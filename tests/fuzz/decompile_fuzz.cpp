// Any three compiled files (track, table and plan, split as
// SplitCompiledFiles splits them) decompiled: the two texts, or a data
// error that says why the bytes are no scenario; never a crash.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "decompiler/decompile.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const tarvosa::fuzz::CompiledParts parts = tarvosa::fuzz::SplitCompiledFiles(
      std::string_view(reinterpret_cast<const char*>(data), size));
  const tarvosa::Result<tarvosa::Decompilation> decompiled =
      tarvosa::Decompile({.track = parts.track, .table = parts.table, .plan = parts.plan});
  if (!decompiled.ok() && decompiled.status().kind() != tarvosa::ExitStatus::kDataError) {
    std::abort();
  }
  return 0;
}
