#include "app/other_scenario.h"

#include <optional>

#include "compiler/codes.h"
#include "compiler/compiled_files.h"
#include "compiler/stored_format.h"
#include "compiler/stored_views.h"
#include "util/escape.h"
#include "util/windows1252.h"

namespace tarvosa {
namespace {

// An existing regular file, opened for reading a piece at a time; nothing
// when there is none to look at (missing, a link, not a regular file).
struct OpenedFile {
  File file;
  std::uint64_t size = 0;
};

std::optional<OpenedFile> OpenRegularFile(Os& os, const std::string& name) {
  Result<File> file = os.OpenForReading(name, Links::kRefuse);
  if (!file.ok()) return std::nullopt;
  const Result<FileInfo> info = os.StatFile(*file);
  if (!info.ok() || info->type != FileType::kRegular) return std::nullopt;
  return OpenedFile{std::move(file).value(), info->size};
}

// `count` bytes from `offset`; nothing when the file ends before them.
std::optional<std::string> ReadPiece(Os& os, OpenedFile& opened, std::uint64_t offset,
                                     std::size_t count) {
  if (offset > opened.size || opened.size - offset < count) return std::nullopt;
  std::string bytes(count, '\0');
  std::size_t got = 0;
  while (got < count) {
    const Result<std::size_t> read =
        os.Read(opened.file, offset + got, std::span<char>(bytes.data() + got, count - got));
    if (!read.ok() || *read == 0) return std::nullopt;
    got += *read;
  }
  return bytes;
}

// The route and train entries of the table in `opened`, found by their
// heads alone; nothing when it is no compiled table to the last byte.
std::optional<ScenarioHeader> TableTitles(Os& os, OpenedFile& opened) {
  ScenarioHeader header{};
  std::uint64_t at = 0;
  for (std::size_t e = 0; e < kScenarioEntries; ++e) {
    const auto head = ReadPiece(os, opened, at, kEntryHeadBytes);
    if (!head) return std::nullopt;
    const std::size_t size = ScenarioEntrySize(*head);
    if (e == kRouteEntry || e == kTrainEntry) {
      const auto bytes = ReadPiece(os, opened, at, size);
      const auto entry = bytes ? DecodeScenarioEntry(*bytes) : std::nullopt;
      if (!entry) return std::nullopt;
      header[e] = *entry;
    }
    at += size;
  }
  if (at != opened.size || RouteEntry(header[kRouteEntry]).marker != kRouteMarker) {
    return std::nullopt;
  }
  return header;
}

// The stamped cell 1 of the track in `opened`; nothing when it is no
// compiled track.
std::optional<TrackCell> StampOf(Os& os, OpenedFile& opened) {
  if (opened.size % kTrackCellBytes != 0) return std::nullopt;
  const auto bytes = ReadPiece(os, opened, kTrackCellBytes, kTrackCellBytes);
  const auto cells = bytes ? DecodeTrackCells(*bytes) : std::nullopt;
  if (!cells || StampedCell(cells->front()).marker != kTrackMarker) return std::nullopt;
  return cells->front();
}

// A title another scenario stored: anyone's bytes, shown escaped.
std::string Quoted(std::string_view windows_1252) {
  std::string quoted(1, '\'');
  quoted += EscapeTerminal(Windows1252ToUtf8(windows_1252));
  quoted += '\'';
  return quoted;
}

Status Refused(const std::string& name, const std::string& whose) {
  return Status::FileSystemError(name + ": belongs to another scenario (" + whose +
                                 "); it is not replaced");
}

}  // namespace

Status CheckNoOtherScenario(Os& os, const ScenarioPlace& place) {
  ScenarioHeader ours{};
  if (!EncodeWindows1252(place.route_title, ours[kRouteEntry].name).ok() ||
      !EncodeWindows1252(place.train_title, ours[kTrainEntry].name).ok()) {
    return Status();  // the compile refuses such titles itself
  }
  const std::string table = ScenarioTableName(place);
  if (auto opened = OpenRegularFile(os, table)) {
    const auto theirs = TableTitles(os, *opened);
    if (theirs && ((*theirs)[kRouteEntry].name != ours[kRouteEntry].name ||
                   (*theirs)[kTrainEntry].name != ours[kTrainEntry].name)) {
      return Refused(table, "the route " + Quoted((*theirs)[kRouteEntry].name) + " and the train " +
                                Quoted((*theirs)[kTrainEntry].name));
    }
  }
  const std::string track = TrackCellsName(place);
  if (auto opened = OpenRegularFile(os, track)) {
    const auto stamp = StampOf(os, *opened);
    const std::int16_t code = codice_gara_og(ours);
    if (stamp && StampedCell(*stamp).check_code != code) {
      return Refused(track, "its check code is " + std::to_string(StampedCell(*stamp).check_code) +
                                ", this scenario's " + std::to_string(code));
    }
  }
  return Status();
}

}  // namespace tarvosa
