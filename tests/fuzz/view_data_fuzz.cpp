// Any three compiled files (track, table and plan, split as
// SplitCompiledFiles splits them) shown as `scenario view DIR` shows them:
// each decoded as its kind, the scenario made of them and its page
// written; never a crash.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "fuzz_support.h"
#include "tool/inputs/compiled_directory.h"
#include "tool/presenters/view_data.h"
#include "tool/presenters/view_page.h"

namespace {

using tarvosa::tool::CompiledKind;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const tarvosa::fuzz::CompiledParts parts = tarvosa::fuzz::SplitCompiledFiles(
      std::string_view(reinterpret_cast<const char*>(data), size));
  const auto track = tarvosa::tool::DecodeCompiled("track", parts.track, CompiledKind::kTrack);
  const auto table = tarvosa::tool::DecodeCompiled("table", parts.table, CompiledKind::kTable);
  if (!track.ok() || !table.ok()) return 0;
  std::optional<tarvosa::tool::CompiledFile> plan;
  if (parts.plan) {
    auto decoded = tarvosa::tool::DecodeCompiled("plan", *parts.plan, CompiledKind::kPlan);
    if (!decoded.ok()) return 0;
    plan = std::move(decoded).value();
  }
  const tarvosa::CompiledScenario scenario =
      tarvosa::tool::ScenarioOf(*track, *table, plan ? &*plan : nullptr);
  const std::string page =
      tarvosa::tool::ViewPage(tarvosa::tool::ViewData(scenario, nullptr, nullptr));
  if (page.empty()) std::abort();
  return 0;
}
