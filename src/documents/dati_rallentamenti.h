// The written slow-down order handed to the driver before departure.
#pragma once

#include "app/form.h"
#include "util/status.h"

namespace tarvosa {

// Writes the slow-down order, Tarvosa_Corvale_rallentamenti.txt.
Status dati_rallentamenti(const Form1& form);

}  // namespace tarvosa
