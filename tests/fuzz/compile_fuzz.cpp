// Any pair of files (the line file, a zero byte, the train file), compiled
// whole: the files written, a data error, or a fatal conflict; never a
// crash.
#include <cstddef>
#include <cstdint>

#include "compiler/memorizza_percorso.h"
#include "fuzz_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const tarvosa::fuzz::ScratchFiles files;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t split = std::min(input.find('\0'), input.size());
  const std::string_view train = split < input.size() ? input.substr(split + 1) : "";
  tarvosa::CompilerState state = files.Prepare(input.substr(0, split), train);
  const tarvosa::Status status = tarvosa::memorizza_percorso(state, 1);
  switch (status.kind()) {
    case tarvosa::ExitStatus::kClean:
    case tarvosa::ExitStatus::kDataError:
      break;
    case tarvosa::ExitStatus::kFatalConflict:
      if (status.message() != "1250" && status.message() != "1251") std::abort();
      break;
    default:
      std::abort();
  }
  tarvosa::fuzz::CheckKnownCode(state.error_code);
  return 0;
}
