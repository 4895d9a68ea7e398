// What the fuzz targets share: the outcomes the compiler may give, checked
// against the table of its error numbers.
#pragma once

#include <cstdlib>

#include "compiler/data_errors.h"

namespace tarvosa::fuzz {

// Every number the compiler may record, and 0.
inline void CheckKnownCode(std::int32_t code) {
  if (code != 0 && FindDataError(code) == nullptr) std::abort();
}

}  // namespace tarvosa::fuzz
