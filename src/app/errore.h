// How a run that cannot go on tells the user why.
#pragma once

#include <string_view>

#include "app/screen.h"
#include "util/status.h"

namespace tarvosa {

// Shows " Errore n. " followed by `a`, the number of a fatal conflict as
// decimal text. The caller ends the run at once with the status returned,
// writing nothing more.
ExitStatus errore(Screen& screen, std::string_view a);

// Shows the message of a failed step; returns the run's exit status.
ExitStatus ReportFailure(Screen& screen, const Status& failure);

}  // namespace tarvosa
