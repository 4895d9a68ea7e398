// Writing an author's text files into a directory, never over an existing
// file unless asked to.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "util/os.h"
#include "util/status.h"

namespace tarvosa::tool {

// A file to write: its name and how.
struct DocumentFile {
  std::string name;
  std::function<Status()> write;
};

// Creates `directory` on `os` when missing and writes the files, in order.
// Files that exist already (unless `force`) and names that cannot be looked
// at stop it before anything is written: the file-system error names every
// one, a line each.
Status WriteDocumentFiles(Os& os, const std::string& directory,
                          const std::vector<DocumentFile>& files, bool force);

}  // namespace tarvosa::tool
