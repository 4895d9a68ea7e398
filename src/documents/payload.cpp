#include "documents/payload.h"

#include <optional>
#include <string>

#include "documents/document.h"
#include "util/checksum.h"
#include "util/coding.h"

namespace tarvosa {
namespace {

void PutText(std::string& out, std::string_view text, bool wide) {
  if (wide) {
    PutFixed32(out, static_cast<std::uint32_t>(text.size()));
  } else {
    PutFixed16(out, static_cast<std::uint16_t>(text.size()));
  }
  out.append(text);
}

std::string EncodeBody(const ScenarioDocuments& scenario) {
  std::string body;
  PutText(body, scenario.route_title, false);
  PutText(body, scenario.train_title, false);
  for (const DocumentKind kind : kWritingOrder) {
    const auto& lines = scenario[kind];
    PutFixed8(body, lines ? 1 : 0);
    if (!lines) continue;
    PutFixed32(body, static_cast<std::uint32_t>(lines->size()));
    for (const std::string& line : *lines) PutText(body, line, true);
  }
  return body;
}

// Reads the body front to back; every read is checked against its end.
class BodyReader {
 public:
  explicit BodyReader(std::string_view body) : rest_(body) {}

  // A number of `bytes` bytes, low byte first; nothing past the end.
  std::optional<std::uint64_t> Number(std::size_t bytes) {
    if (rest_.size() < bytes) return std::nullopt;
    std::uint64_t value = 0;
    for (std::size_t i = bytes; i-- > 0;) value = value << 8 | static_cast<unsigned char>(rest_[i]);
    rest_.remove_prefix(bytes);
    return value;
  }
  // A text after its length of `length_bytes` bytes.
  std::optional<std::string> Text(std::size_t length_bytes) {
    const std::optional<std::uint64_t> length = Number(length_bytes);
    if (!length || rest_.size() < *length) return std::nullopt;
    std::string text(rest_.substr(0, *length));
    rest_.remove_prefix(*length);
    return text;
  }
  bool AtEnd() const { return rest_.empty(); }

 private:
  std::string_view rest_;
};

// The failure names what could not be read.
Status ReadDocument(BodyReader& reader, std::optional<DocumentLines>& lines) {
  const std::optional<std::uint64_t> present = reader.Number(1);
  if (!present || *present > 1) return Status::DataError("a document is neither missing nor there");
  if (*present == 0) return Status();
  // The count is checked before anything is kept for it.
  const std::optional<std::uint64_t> count = reader.Number(4);
  if (!count || *count >= kDocumentTableSize) return Status::DataError("a document's line count");
  lines.emplace();
  lines->reserve(*count);
  for (std::uint64_t i = 0; i < *count; ++i) {
    std::optional<std::string> line = reader.Text(4);
    if (!line) return Status::DataError("a document's line");
    lines->push_back(std::move(*line));
  }
  return Status();
}

Result<ScenarioDocuments> ReadBody(std::string_view body) {
  BodyReader reader(body);
  ScenarioDocuments scenario;
  std::optional<std::string> route = reader.Text(2);
  std::optional<std::string> train = route ? reader.Text(2) : std::nullopt;
  if (!train) return Status::DataError("the body ends inside its titles");
  scenario.route_title = std::move(*route);
  scenario.train_title = std::move(*train);
  for (const DocumentKind kind : kWritingOrder) {
    if (Status read = ReadDocument(reader, scenario[kind]); !read.ok()) {
      return Status::DataError("the body does not read as a scenario: " + read.message() +
                               " of the " + std::string(DocumentTitle(kind)));
    }
  }
  if (!reader.AtEnd()) {
    return Status::DataError("the body does not read as a scenario: bytes after its documents");
  }
  return scenario;
}

}  // namespace

std::string EncodePayload(const ScenarioDocuments& scenario) {
  const std::string body = EncodeBody(scenario);
  std::string payload(kPayloadMagic);
  PutFixed32(payload, kPayloadVersion);
  PutFixed32(payload, Crc32(body));
  PutFixed64(payload, body.size());
  return payload + body;
}

Result<ScenarioDocuments> DecodePayload(std::string_view payload) {
  const auto wrong = [](const std::string& reason) { return Status::DataError(reason); };
  if (payload.size() < kPayloadHeaderBytes) {
    return wrong("its scenario is cut short: " + std::to_string(payload.size()) + " of the " +
                 std::to_string(kPayloadHeaderBytes) + " bytes of its header are there");
  }
  if (payload.substr(0, kPayloadMagic.size()) != kPayloadMagic) {
    return wrong("its scenario has been altered: its header is not where the program says");
  }
  const std::uint32_t version = DecodeFixed32(payload.data() + 8);
  if (version != kPayloadVersion) {
    return wrong("its scenario is of version " + std::to_string(version) +
                 ", and this program reads version " + std::to_string(kPayloadVersion) + " only");
  }
  const std::uint32_t checksum = DecodeFixed32(payload.data() + 12);
  const std::uint64_t length = DecodeFixed64(payload.data() + 16);
  const std::string_view body = payload.substr(kPayloadHeaderBytes);
  if (body.size() < length) {
    return wrong("its scenario is cut short: " + std::to_string(body.size()) + " of its " +
                 std::to_string(length) + " bytes are there");
  }
  if (body.size() > length) {
    return wrong("its scenario has been altered: " + std::to_string(body.size() - length) +
                 " bytes follow it");
  }
  if (Crc32(body) != checksum) {
    return wrong("its scenario has been altered: its checksum does not match its bytes");
  }
  Result<ScenarioDocuments> scenario = ReadBody(body);
  if (!scenario.ok()) return wrong("its scenario cannot be read: " + scenario.status().message());
  if (Status problem = ScenarioProblem(*scenario); !problem.ok()) {
    return wrong("its scenario cannot be installed: " + problem.message());
  }
  return scenario;
}

}  // namespace tarvosa
