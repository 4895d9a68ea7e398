// The file operations of a run, made of the primitives of an Os: replacing
// an output file whole without ever losing the earlier copy, and reading
// and deleting an input file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "util/byte_sink.h"
#include "util/os.h"
#include "util/status.h"

namespace tarvosa {

// The file-system path of a UTF-8 file name, on every system.
std::filesystem::path PathFromUtf8(const std::string& name);

// The UTF-8 name of a file-system path, on every system.
std::string Utf8FromPath(const std::filesystem::path& path);

// The UTF-8 name of the entry `entry` of the directory `directory`, joined
// as the system joins them ("d" and "x" give "d/x", so does "d/").
std::string PathIn(const std::string& directory, const std::string& entry);

// Replaces the file `name` with what `produce` appends to the sink it is
// given, with the same guarantees as ReplaceFileContent.
Status ReplaceFileWith(Os& os, const std::string& name,
                       const std::function<void(ByteSink&)>& produce);

// Replaces the file `name` with exactly `bytes`. The bytes go first to a
// temporary file beside it ("NAME.1a2b3c4d.partial"), which is flushed to
// the disk and then renamed over it: a failure leaves an
// earlier file exactly as it was and no temporary file behind, and a power
// loss leaves either the earlier file or the whole new one. The renames are
// on the disk once the directory is flushed (FlushDirectoryOf). An existing
// file that has no write permission bit was made read-only on purpose and
// is refused, whoever runs the program.
Status ReplaceFileContent(Os& os, const std::string& name, std::string_view bytes);

// A name a temporary file of the file `name` may have, its digits all f:
// as long as any of them, for a check of the names.
std::string SampleTemporaryName(const std::string& name);

// Whether `entry` is the name of a temporary file of the file named `file`,
// both without a directory: "FILE.1a2b3c4d.partial".
bool IsTemporaryNameOf(std::string_view entry, std::string_view file);

// Flushes the directory of the file `name` to the disk: the files replaced
// in it keep their new names after a power loss.
Status FlushDirectoryOf(Os& os, const std::string& name);

// Removes the temporary files that runs killed while replacing the file
// `name` left beside it, and nothing else. Only safe while no other run
// may be replacing it. What cannot be listed or removed is left.
void RemoveStaleTemporaryFiles(Os& os, const std::string& name);

// The whole content of the regular file `name`, which is opened through a
// link only when `links` says so.
Result<std::string> ReadWholeFile(Os& os, const std::string& name, Links links = Links::kRefuse);

// The same, failing with the reason alone, for a caller that words its own
// message around it.
Result<std::string> ReadFileBytes(Os& os, const std::string& name, Links links);

// What ReadFileFrom read: the file's size, and its bytes from the offset
// asked for to its end (none when the offset lies past the end).
struct FileTail {
  std::uint64_t file_size = 0;
  std::string bytes;
};

// The end of the regular file `name` from byte `offset`, without reading
// what comes before it.
Result<FileTail> ReadFileFrom(Os& os, const std::string& name, std::uint64_t offset);

// Deletes the file `name` when there is one.
Status DeleteFileIfPresent(Os& os, const std::string& name);

}  // namespace tarvosa
