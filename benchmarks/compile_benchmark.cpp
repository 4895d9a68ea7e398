// Where a compilation of the scenario spends its time: each reader, the
// braking points, each file's encoding, the whole compile, and the whole
// compile of a synthetic 1,000 km line (per metre, against this scenario's).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "compiler/compiled_files.h"
#include "compiler/memorizza_dati.h"
#include "compiler/memorizza_percorso.h"
#include "compiler/placement.h"
#include "large_scenario.h"
#include "scenario/line_table.h"
#include "scenario/train_table.h"

namespace tarvosa {
namespace {

namespace fs = std::filesystem;

template <typename Table>
std::string Text(const Table& table) {
  std::string bytes;
  for (const std::string_view line : table) bytes.append(line).append("\r\n");
  return bytes;
}

// The scenario's two files and a directory (in memory where there is one)
// to compile them in.
class Workspace {
 public:
  explicit Workspace(std::string line = Text(scenario::kLineDefinition),
                     std::string train = Text(scenario::kTrainData))
      : line_(std::move(line)), train_(std::move(train)) {
    const fs::path base = fs::exists("/dev/shm") ? "/dev/shm" : fs::temp_directory_path();
    dir_ = base / ("tarvosa-benchmark-" + std::to_string(::getpid()));
    fs::create_directories(dir_);
  }
  ~Workspace() { fs::remove_all(dir_); }

  // A state whose text files are written afresh (the compiler deletes them).
  CompilerState Prepare(std::string_view train_override = {}) const {
    CompilerState state;
    state.route_title = "Tarvosa";
    state.train_title = "Corvale";
    state.line_file = Write("linea.txt", line_);
    state.train_file = Write("treno.txt", train_override.empty() ? train_ : train_override);
    state.plan_file = (dir_ / "linea.dat").string();
    state.table_file = (dir_ / "treno.sim").string();
    state.track_file = (dir_ / "treno.dat").string();
    return state;
  }

 private:
  std::string Write(const char* name, std::string_view bytes) const {
    const fs::path path = dir_ / name;
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<long>(bytes.size()));
    return path.string();
  }
  std::string line_, train_;
  fs::path dir_;
};

constexpr std::string_view kNoTrain = "[generale]\r\n[fine]\r\n";

void BM_LineReaderWithPlan(benchmark::State& bench) {
  const Workspace space;
  for (auto _ : bench) {
    bench.PauseTiming();
    CompilerState state = space.Prepare(kNoTrain);
    bench.ResumeTiming();
    benchmark::DoNotOptimize(memorizza_dati(state));
  }
}
BENCHMARK(BM_LineReaderWithPlan)->Unit(benchmark::kMillisecond);

void BM_BothReadersWithoutPlan(benchmark::State& bench) {
  const Workspace space;
  for (auto _ : bench) {
    bench.PauseTiming();
    CompilerState state = space.Prepare();
    state.j = 0;
    bench.ResumeTiming();
    benchmark::DoNotOptimize(memorizza_dati(state));
  }
}
BENCHMARK(BM_BothReadersWithoutPlan)->Unit(benchmark::kMillisecond);

// A compiled scenario, for the steps after the readers.
CompilerState Compiled(const Workspace& space) {
  CompilerState state = space.Prepare();
  (void)memorizza_percorso(state, 1);
  return state;
}

void BM_BrakingPoints(benchmark::State& bench) {
  const Workspace space;
  const CompilerState compiled = Compiled(space);
  for (auto _ : bench) {
    bench.PauseTiming();
    CompilerState state = compiled;
    bench.ResumeTiming();
    PlaceBrakingPoints(state);
  }
}
BENCHMARK(BM_BrakingPoints)->Unit(benchmark::kMicrosecond);

void BM_EncodeTrackCells(benchmark::State& bench) {
  const CompilerState state = Compiled(Workspace());
  for (auto _ : bench) benchmark::DoNotOptimize(EncodeTrackCells(*state.cells));
}
BENCHMARK(BM_EncodeTrackCells)->Unit(benchmark::kMicrosecond);

void BM_EncodeScenarioTable(benchmark::State& bench) {
  const CompilerState state = Compiled(Workspace());
  for (auto _ : bench) benchmark::DoNotOptimize(EncodeScenarioHeader(state.header));
}
BENCHMARK(BM_EncodeScenarioTable)->Unit(benchmark::kMicrosecond);

void BM_EncodePlan(benchmark::State& bench) {
  const CompilerState state = Compiled(Workspace());
  for (auto _ : bench) benchmark::DoNotOptimize(EncodeLineData(*state.line_data));
}
BENCHMARK(BM_EncodePlan)->Unit(benchmark::kMillisecond);

void BM_WriteCompiledFiles(benchmark::State& bench) {
  const Workspace space;
  const CompilerState state = Compiled(space);
  for (auto _ : bench) benchmark::DoNotOptimize(WriteCompiledFiles(state));
}
BENCHMARK(BM_WriteCompiledFiles)->Unit(benchmark::kMillisecond);

// The whole compile; the counter is the time per metre of line.
void Compile(benchmark::State& bench, const Workspace& space, double metres) {
  for (auto _ : bench) {
    bench.PauseTiming();
    CompilerState state = space.Prepare();
    bench.ResumeTiming();
    benchmark::DoNotOptimize(memorizza_percorso(state, 1));
  }
  bench.counters["ns_per_metre"] = benchmark::Counter(
      metres * 1e-9, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_WholeCompile(benchmark::State& bench) {
  Compile(bench, Workspace(), 227000);
}
BENCHMARK(BM_WholeCompile)->Unit(benchmark::kMillisecond);

void BM_WholeCompile1000km(benchmark::State& bench) {
  const LargeScenario large = MakeLargeScenario(1000000);
  Compile(bench, Workspace(large.line, large.train), 1000000);
}
BENCHMARK(BM_WholeCompile1000km)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tarvosa

BENCHMARK_MAIN();
