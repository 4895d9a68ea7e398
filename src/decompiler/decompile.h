// The compiled scenario back to text: the three compiled files' bytes in,
// a line definition file and a train data file out that compile to the same
// bytes, with a warning wherever they cannot. It touches no file.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "util/status.h"

namespace tarvosa {

// The three compiled files' bytes; nothing for a plan that is not there.
struct CompiledBytes {
  std::string_view track;
  std::string_view table;
  std::optional<std::string_view> plan;
  // What messages call the three files.
  std::string_view track_name = "the track";
  std::string_view table_name = "the table";
  std::string_view plan_name = "the plan";
};

// Which compiled file a warning is about.
enum class CompiledPart { kTrack, kTable, kPlan };

// What the texts cannot give back as the files hold it, or had to give back
// in an unusual way: "cell 125 (6200 m): ...", "entry 84: ...", "row 120:
// ...".
struct DecompileWarning {
  CompiledPart part;
  std::string text;
};

struct Decompilation {
  // Windows-1252, CR LF after every line.
  std::string line_text;
  std::string train_text;
  // The titles the table holds, in Windows-1252: the texts compile to the
  // same bytes with these titles.
  std::string route_title;
  std::string train_title;
  std::vector<DecompileWarning> warnings;
};

// The texts, or a data error "NAME: why" when the files are no compiled
// scenario (their layout, their markers) or do not belong together.
Result<Decompilation> Decompile(const CompiledBytes& files);

}  // namespace tarvosa
