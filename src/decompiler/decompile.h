// The compiled scenario back to text: the three compiled files' bytes in,
// a line definition file and a train data file out that compile to the same
// bytes, with a warning wherever they cannot. It touches no file.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvosa {

// The three compiled files' bytes; nothing for a plan that is not there.
struct CompiledBytes {
  std::string_view track;
  std::string_view table;
  std::optional<std::string_view> plan;
};

// Which compiled file a warning or a refusal is about.
enum class CompiledPart { kTrack, kTable, kPlan };

// What the texts cannot give back as the files hold it, or had to give back
// in an unusual way: "cell 125 (6200 m): ...", "entry 84: ...", "row 120:
// ...".
struct DecompileWarning {
  CompiledPart part;
  std::string text;
};

struct Decompilation {
  // Why the files are no compiled scenario, or do not belong together; the
  // texts are empty then.
  std::optional<DecompileWarning> refusal;
  // Windows-1252, CR LF after every line.
  std::string line_text;
  std::string train_text;
  // The titles the table holds, in Windows-1252: the texts compile to the
  // same bytes with these titles.
  std::string route_title;
  std::string train_title;
  std::vector<DecompileWarning> warnings;
};

Decompilation Decompile(const CompiledBytes& files);

}  // namespace tarvosa
