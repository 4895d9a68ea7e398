// The checks that an argument names a file or a directory that is there,
// with CLI11's words and help, asking the command's Os.
#pragma once

#include <CLI/CLI.hpp>

#include "util/os.h"

namespace tarvosa::tool {

// A file, or a link to one; "File does not exist: NAME" when nothing is
// there, "File is actually a directory: NAME" for a directory.
CLI::Validator ExistingFile(Os& os);

// A directory, or a link to one; "Directory does not exist: NAME", or
// "Directory is actually a file: NAME".
CLI::Validator ExistingDirectory(Os& os);

}  // namespace tarvosa::tool
