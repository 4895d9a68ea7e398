// scenario: the installer's compiler for scenario authors. Compiles any line
// definition and train data files, checks them, shows and compares the
// compiled files, draws them, exports the embedded scenario as a starting
// point, makes a scenario's driver documents from its data, and packages a
// scenario as a self-installing program. The commands live in the tool's
// library; the program only hands them its words and its streams (UTF-8 on
// every system), the system's files and its own file.
#include <iostream>
#include <string>
#include <vector>

#include "app/platform.h"
#include "app/platform_console.h"
#include "tool/runner.h"

int main(int argc, char** argv) {
  tarvosa::platform::PrepareConsole();
  const std::vector<std::string> arguments = tarvosa::platform::CommandLineWords(argc, argv);
  tarvosa::tool::Context context{std::cout, std::cerr, tarvosa::DefaultOs(),
                                 tarvosa::platform::ExecutablePath()};
  return tarvosa::tool::RunTool(arguments, context);
}
