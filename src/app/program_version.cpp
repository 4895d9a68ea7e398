// The installer reads no command line, so it takes no --version: its
// version stands in its file as this text, which a search of its bytes
// finds ("Tarvosa_Corvale version 1.0.0").
#include "tarvosa_version.h"

namespace tarvosa {

// Of external linkage, so that the linker keeps it though nothing reads it.
extern const char kProgramVersionText[];
const char kProgramVersionText[] = "Tarvosa_Corvale version " TARVOSA_VERSION;

}  // namespace tarvosa
