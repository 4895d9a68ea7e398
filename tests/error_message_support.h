// What the tests of data errors share: a small line and train file to put
// records in, and the error of their compile as the tool prints it.
#pragma once

#include <string>

#include "compile_support.h"

namespace tarvosa::testing {

// A 10 km line (cells 0 to 340) whose features follow "[curve]" on line 4.
inline std::string LineWith(const std::string& features) {
  return "[generale]\r\nlunghezza percorso,  10000\r\n[curve]\r\n" + features + "[fine]\r\n";
}
// A train file whose records follow "[generale]" on line 2.
inline std::string TrainWith(const std::string& records) {
  return "[generale]\r\n" + records + "[fine]\r\n";
}

// The message of the compile of the two texts, as the tool prints it.
inline std::string Message(const std::string& line, const std::string& train = TrainWith("")) {
  const Compilation compiled = CompileTexts(line, train);
  return DescribeError(compiled.diagnostics.error(), {"linea.txt", line}, {"treno.txt", train});
}

}  // namespace tarvosa::testing
