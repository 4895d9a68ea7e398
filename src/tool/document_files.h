// Writing an author's text files into a directory, never over an existing
// file unless asked to.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "util/status.h"

namespace tarvosa::tool {

// A file to write: its name and how.
struct DocumentFile {
  std::string name;
  std::function<Status()> write;
};

// Creates `directory` when missing and writes the files, in order. Without
// `force`, a file that exists already stops it before anything is written:
// every such file is named on stderr. Returns the exit status.
int WriteDocumentFiles(const std::string& directory, const std::vector<DocumentFile>& files,
                       bool force);

}  // namespace tarvosa::tool
