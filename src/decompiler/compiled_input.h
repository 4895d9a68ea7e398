// The compiled files as the decompiler reads them.
#pragma once

#include <optional>

#include "decompiler/recovery.h"

namespace tarvosa::decompiler {

// Decodes the three files into `in`; a data error, "NAME: why", when they
// are not a compiled scenario (their layout, their markers) or do not
// belong together (the track's cells and the plan's rows against the line
// length in the table, the check codes against the table's titles).
Status ReadCompiled(const CompiledBytes& files, CompiledInput& in);

}  // namespace tarvosa::decompiler
