// Any bytes as the scenario a packaged installer carries: read as they
// are, then again with the header's length and checksum made to fit the
// body, so that a changed body is read past its checksum. A scenario read
// encodes to the very bytes it was read from; anything else is a data
// error; never a crash.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "documents/payload.h"
#include "util/checksum.h"
#include "util/coding.h"

namespace {

void Decode(std::string_view payload) {
  const tarvosa::Result<tarvosa::ScenarioDocuments> scenario = tarvosa::DecodePayload(payload);
  if (scenario.ok()) {
    if (tarvosa::EncodePayload(*scenario) != payload) std::abort();
  } else if (scenario.status().kind() != tarvosa::ExitStatus::kDataError) {
    std::abort();
  }
}

// The payload with its checksum and length those of the body after its
// header.
std::string Fitted(std::string_view payload) {
  const std::string_view body = payload.substr(tarvosa::kPayloadHeaderBytes);
  std::string fitted(payload.substr(0, 12));
  tarvosa::PutFixed32(fitted, tarvosa::Crc32(body));
  tarvosa::PutFixed64(fitted, body.size());
  return fitted.append(body);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view payload(reinterpret_cast<const char*>(data), size);
  Decode(payload);
  if (payload.size() >= tarvosa::kPayloadHeaderBytes) Decode(Fitted(payload));
  return 0;
}
