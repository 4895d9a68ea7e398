#include "app/packaged_scenario.h"

#include "app/errore.h"
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

Result<ScenarioDocuments> ReadPackagedScenario(Os& os, const std::string& program,
                                               std::uint64_t offset) {
  const Result<FileTail> payload = ReadFileFrom(os, program, offset);
  if (!payload.ok()) {
    return Status::FileSystemError(program + ": cannot read the program for its scenario");
  }
  // The program's file is not what it was built as: for the user, a file
  // that cannot be read, not scenario data to mend.
  Result<ScenarioDocuments> scenario = DecodePayload(payload->bytes);
  if (!scenario.ok()) {
    return Status::FileSystemError(program + ": " + scenario.status().message());
  }
  return scenario;
}

ExitStatus InstallPackagedScenario(Os& os, Form1& form, Screen& screen, const std::string& program,
                                   std::uint64_t offset, std::chrono::milliseconds lock_wait) {
  const Result<ScenarioDocuments> scenario = ReadPackagedScenario(os, program, offset);
  if (!scenario.ok()) return ReportFailure(screen, scenario.status());
  return Form_Load(os, form, screen, *scenario, lock_wait);
}

}  // namespace tarvosa
