// scenario documents: the timetable sheet and slow-down order a scenario's
// line and train files give, for an author to start from or ship as they
// are.
#pragma once

#include "compiler/compile.h"
#include "documents/scenario_documents.h"
#include "tool/compile_command.h"

namespace tarvosa::tool {

// The two documents made from a cleanly compiled scenario, for the train
// title `train_title` (UTF-8), as DocumentKind::kSlowDownOrder and
// kTimetable.
std::pair<DocumentLines, DocumentLines> GeneratedDocuments(const Compilation& compilation,
                                                           const std::string& train_title);

// Compiles LINE and TRAIN (refusing a scenario that does not compile
// cleanly) and writes R_T_rallentamenti.txt and R_T_scheda_treno.txt into
// `options.output`; an existing file only with `force`. Returns the exit
// status.
int RunDocuments(const CompileOptions& options, bool force);

}  // namespace tarvosa::tool
