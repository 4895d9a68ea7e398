// The file operations of a run: replacing an output file whole without ever
// losing the earlier copy, and reading and deleting an input file.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "util/byte_sink.h"
#include "util/status.h"

namespace tarvosa {

// The file-system path of a UTF-8 file name, on every system.
std::filesystem::path PathFromUtf8(const std::string& name);

// Replaces the file `name` with what `produce` appends to the sink it is
// given, with the same guarantees as ReplaceFileContent.
Status ReplaceFileWith(const std::string& name, const std::function<void(ByteSink&)>& produce);

// Replaces the file `name` with exactly `bytes`. The bytes go first to a
// temporary file beside it, which is then renamed over it: a failure leaves
// an earlier file exactly as it was and no temporary file behind. An
// existing file that has no write permission bit was made read-only on
// purpose and is refused, whoever runs the program.
Status ReplaceFileContent(const std::string& name, std::string_view bytes);

// Whether `name` is a regular file (or a link to one).
bool IsRegularFile(const std::string& name);

// The whole content of the file `name`; nothing when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& name);

// Deletes the file `name` when there is one.
Status DeleteFileIfPresent(const std::string& name);

}  // namespace tarvosa
