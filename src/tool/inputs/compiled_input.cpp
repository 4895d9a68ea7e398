#include "tool/inputs/compiled_input.h"

#include "compiler/stored_format.h"
#include "compiler/stored_views.h"
#include "util/files.h"

namespace tarvosa::tool {
namespace {

// Larger than the plan of the longest line the compiler takes, by far.
constexpr std::uint64_t kLargestInput = std::uint64_t{1} << 30;

Status CannotBeRead(const std::string& name, const Status& why) {
  return Status::FileSystemError(name + ": cannot be read: " + why.message());
}

// Ok when `name` is a regular file of a size a compiled file may have.
Status CheckReadable(Os& os, const std::string& name) {
  const Result<FileInfo> info = os.Stat(name);
  if (!info.ok()) return CannotBeRead(name, info.status());
  switch (info->type) {
    case FileType::kMissing:
      return Status::FileSystemError(name + ": no such file");
    case FileType::kDirectory:
      return Status::FileSystemError(name + ": is a directory, not a compiled file");
    case FileType::kOther:
      return Status::FileSystemError(name + ": is not a regular file");
    case FileType::kRegular:
      break;
  }
  if (info->size > kLargestInput) {
    return Status::DataError(name + ": is larger than 1 GiB: it is not a compiled file");
  }
  return Status();
}

bool Marked(const CompiledFile& file) {
  switch (file.kind) {
    case CompiledKind::kTrack:
      return file.cells.size() >= 2 && StampedCell(file.cells[1]).marker == kTrackMarker;
    case CompiledKind::kTable:
      return RouteEntry(file.header[kRouteEntry]).marker == kRouteMarker;
    case CompiledKind::kPlan:
      return !file.plan.first.empty() && file.plan.first[0].tag != 0 &&
             file.plan.second[0].tag != 0;
  }
  return false;
}

std::optional<CompiledFile> DecodeAs(std::string_view bytes, CompiledKind kind) {
  CompiledFile file;
  file.kind = kind;
  if (kind == CompiledKind::kTrack) {
    auto cells = DecodeTrackCells(bytes);
    if (!cells) return std::nullopt;
    file.cells = std::move(*cells);
  } else if (kind == CompiledKind::kTable) {
    auto header = DecodeScenarioHeader(bytes);
    if (!header) return std::nullopt;
    file.header = std::move(*header);
  } else {
    auto plan = DecodeLineData(bytes);
    if (!plan) return std::nullopt;
    file.plan = std::move(*plan);
  }
  return file;
}

std::string Mark(CompiledKind kind) {
  switch (kind) {
    case CompiledKind::kTrack:
      return "the marker 5121 in cell 1";
    case CompiledKind::kTable:
      return "the marker 610 in entry 85";
    case CompiledKind::kPlan:
      return "the origin in row 0";
  }
  return "";
}

// Why bytes of the layout of `kind` are refused all the same: more rows or
// cells than the longest line has; "" when they are not.
std::string TooLarge(const std::string& name, std::string_view bytes, CompiledKind kind) {
  std::size_t count = 0, most = 0;
  if (kind == CompiledKind::kPlan) {
    count = CountPlanRows(bytes).value_or(0), most = kMostPlanRows;
  } else if (kind == CompiledKind::kTrack && bytes.size() % kTrackCellBytes == 0) {
    count = bytes.size() / kTrackCellBytes, most = kMostTrackCells;
  }
  if (count <= most) return "";
  const std::string what = kind == CompiledKind::kPlan ? " rows" : " cells";
  return name + ": its " + std::to_string(bytes.size()) + " bytes hold " + std::to_string(count) +
         what + ", more than the " + KindWord(kind) + " of the longest line, " +
         std::to_string(most) + what + ": it is not a compiled file";
}

// The first layout the bytes have, with its mark.
Result<CompiledFile> Recognise(const std::string& name, std::string_view bytes) {
  std::optional<CompiledKind> unmarked;
  for (const CompiledKind kind :
       {CompiledKind::kTable, CompiledKind::kPlan, CompiledKind::kTrack}) {
    auto file = DecodeAs(bytes, kind);
    if (file && Marked(*file)) return std::move(*file);
    if (file && !unmarked) unmarked = kind;
  }
  const std::string size = std::to_string(bytes.size());
  for (const CompiledKind kind : {CompiledKind::kPlan, CompiledKind::kTrack}) {
    if (const std::string why = TooLarge(name, bytes, kind); !unmarked && !why.empty()) {
      return Status::DataError(why);
    }
  }
  if (unmarked) {
    const std::string word = KindWord(*unmarked);
    return Status::DataError(name + ": its " + size + " bytes have the layout of a " + word +
                             " file but not " + Mark(*unmarked) +
                             ": it is not a compiled file (--kind " + word +
                             " shows them all the same)");
  }
  return Status::DataError(name + ": its " + size +
                           " bytes do not have the layout of any compiled file");
}

}  // namespace

std::string KindWord(CompiledKind kind) {
  switch (kind) {
    case CompiledKind::kTrack:
      return "track";
    case CompiledKind::kTable:
      return "table";
    case CompiledKind::kPlan:
      return "plan";
  }
  return "";
}

std::optional<CompiledKind> KindFromWord(const std::string& word) {
  for (const CompiledKind kind :
       {CompiledKind::kTrack, CompiledKind::kTable, CompiledKind::kPlan}) {
    if (KindWord(kind) == word) return kind;
  }
  return std::nullopt;
}

Result<std::string> ReadInput(Os& os, const std::string& name) {
  try {
    if (Status readable = CheckReadable(os, name); !readable.ok()) return readable;
    Result<std::string> bytes = ReadFileBytes(os, name, Links::kFollow);
    if (!bytes.ok()) return CannotBeRead(name, bytes.status());
    return bytes;
  } catch (const std::exception& failure) {
    return Status::FileSystemError(name + ": cannot be read: " + failure.what());
  }
}

Result<CompiledFile> DecodeCompiled(const std::string& name, std::string_view bytes,
                                    std::optional<CompiledKind> kind) {
  if (bytes.empty()) {
    return Status::DataError(name + ": the file is empty: it is not a compiled file");
  }
  if (!kind) return Recognise(name, bytes);
  auto file = DecodeAs(bytes, *kind);
  if (const std::string why = TooLarge(name, bytes, *kind); !file && !why.empty()) {
    return Status::DataError(why);
  }
  if (!file) {
    return Status::DataError(name + ": its " + std::to_string(bytes.size()) +
                             " bytes do not have the layout of a " + KindWord(*kind) + " file");
  }
  return std::move(*file);
}

Result<CompiledFile> LoadCompiled(Os& os, const std::string& name,
                                  std::optional<CompiledKind> kind) {
  const Result<std::string> bytes = ReadInput(os, name);
  if (!bytes.ok()) return bytes.status();
  return DecodeCompiled(name, *bytes, kind);
}

}  // namespace tarvosa::tool
