// What the numbers recorded in error_code mean, in plain words.
#pragma once

#include <cstdint>
#include <string>

#include "compiler/compiler_state.h"

namespace tarvosa {

// The recorded error as one line: the file it concerns where there is one,
// the number, the position where the number has one, and its meaning.
// "…/Tarvosa_Corvale-.txt: error 16 at 6200 m: a signal's cell already
// holds another feature".
std::string DescribeDataError(const CompilerState& state);

// The number, the position where the number has one, and the meaning:
// "error 16 at 6200 m: a signal's cell already holds another feature".
std::string DataErrorText(std::int32_t code, std::int32_t position);

}  // namespace tarvosa
