// What a terminal program needs from the system it runs on: its words and
// its standard streams, in UTF-8 on every system.
#pragma once

#include <string>
#include <vector>

namespace tarvosa::platform {

// The words the program was started with, after its own name, in UTF-8
// whatever the system's code page (on Windows from the wide command line).
std::vector<std::string> CommandLineWords(int argc, char** argv);

// Has the standard output and error carry the program's bytes as written:
// no line end translated, and UTF-8 shown as such on a console.
void PrepareConsole();

}  // namespace tarvosa::platform
