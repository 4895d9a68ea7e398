// A slow-down order made from a compiled scenario, in the layout of the
// embedded form: every slow-down of the train, where it lies among the
// stations, the kilometre post it begins after, its speed and length.
#pragma once

#include <string_view>

#include "documents/route_facts.h"
#include "documents/scenario_documents.h"

namespace tarvosa {

// The form handed to the driver of `train_title` (UTF-8).
DocumentLines GenerateSlowDownOrder(const RouteFacts& facts, std::string_view train_title);

}  // namespace tarvosa
