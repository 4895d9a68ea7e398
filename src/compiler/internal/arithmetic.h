// The small numeric rules the compiler's passes share, beside the stored
// format's own.
#pragma once

#include "compiler/stored_format.h"

namespace tarvosa {

// The smaller of two values, the first when they are equal.
template <typename T>
constexpr T minimo(const T& x, const T& y) {
  return x > y ? y : x;
}

}  // namespace tarvosa
