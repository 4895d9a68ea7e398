// What the fuzz targets share: the compiler reads and writes files by name,
// so each input goes to a scratch directory (in memory where the system
// has one), and every outcome is checked against the ones the compiler may
// give.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <string_view>

#include "compiler/compiler_state.h"

namespace tarvosa::fuzz {

class ScratchFiles {
 public:
  ScratchFiles() {
    const std::filesystem::path base =
        std::filesystem::exists("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
    std::string pattern = (base / "tarvosa-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    dir_ = pattern;
  }
  ~ScratchFiles() { std::filesystem::remove_all(dir_); }

  // A compiler state over the scratch directory with `line` and `train` as
  // its two text files.
  CompilerState Prepare(std::string_view line, std::string_view train) const {
    CompilerState state;
    state.route_title = "Tarvosa";
    state.train_title = "Corvale";
    state.line_file = Write("Tarvosa_linea.txt", line);
    state.train_file = Write("Tarvosa_Corvale-.txt", train);
    state.plan_file = (dir_ / "Tarvosa_linea.dat").string();
    state.table_file = (dir_ / "Tarvosa_Corvale.sim").string();
    state.track_file = (dir_ / "Tarvosa_Corvale.dat").string();
    return state;
  }

 private:
  std::string Write(const std::string& name, std::string_view bytes) const {
    const std::string path = (dir_ / name).string();
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<long>(bytes.size()));
    return path;
  }
  std::filesystem::path dir_;
};

// Every number the compiler may record.
inline void CheckKnownCode(std::int32_t code) {
  static const std::set<std::int32_t> kKnown = {0,  1,  2,  3,  4,  5,  6,   7,   8,  9,
                                                10, 11, 12, 13, 14, 15, 16,  17,  18, 19,
                                                20, 21, 22, 23, 24, 25, 101, 102, 103};
  if (kKnown.count(code) == 0) std::abort();
}

}  // namespace tarvosa::fuzz
