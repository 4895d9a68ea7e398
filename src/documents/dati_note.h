// The scenario author's notes: the line, its history, and how the scenario
// was built.
#pragma once

#include "app/form.h"
#include "util/status.h"

namespace tarvosa {

// Writes the author's notes, Tarvosa_Corvale_note.txt.
Status dati_note(const Form1& form);

}  // namespace tarvosa
