#include "app/packaged_scenario.h"

#include "documents/payload.h"
#include "util/coding.h"
#include "util/files.h"

namespace tarvosa {
namespace {

// The slot the tool fills in. Volatile, so that the compiler reads the bytes
// the file holds instead of the zeros it was built with.
const volatile PayloadSlot kPayloadSlot = EmptyPayloadSlot();

}  // namespace

std::uint64_t PayloadOffset() {
  char offset[kSlotOffsetBytes];
  for (std::size_t i = 0; i < kSlotOffsetBytes; ++i) {
    offset[i] = static_cast<char>(kPayloadSlot.offset[i]);
  }
  return DecodeFixed64(offset);
}

Status ReadPackagedScenario(const std::string& program, std::uint64_t offset,
                            ScenarioDocuments& scenario) {
  const auto payload = ReadFileFrom(program, offset);
  if (!payload) {
    return Status::FileSystemError(program + ": cannot read the program for its scenario");
  }
  if (std::string reason = DecodePayload(payload->bytes, scenario); !reason.empty()) {
    return Status::FileSystemError(program + ": " + reason);
  }
  return Status();
}

}  // namespace tarvosa
