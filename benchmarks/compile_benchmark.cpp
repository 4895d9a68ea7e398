// Where a compilation of the scenario spends its time: each reader, the
// braking points, each file's encoding, the whole compile, and the whole
// compile of a synthetic 1,000 km line (per metre, against this scenario's).
// Everything runs in memory but the writing of the compiled files.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "compiler/compile.h"
#include "compiler/compiled_files.h"
#include "compiler/internal/memorizza_dati.h"
#include "compiler/internal/placement.h"
#include "compiler/memorizza_percorso.h"
#include "compiler/stored_views.h"
#include "large_scenario.h"
#include "running/default_train.h"
#include "running/running_time.h"
#include "scenario/line_table.h"
#include "scenario/train_table.h"
#include "tool/presenters/run_report.h"

namespace tarvosa {
namespace {

namespace fs = std::filesystem;

template <typename Table>
std::string Text(const Table& table) {
  std::string bytes;
  for (const std::string_view line : table) bytes.append(line).append("\r\n");
  return bytes;
}

// The scenario's two files.
struct Sources {
  std::string line = Text(scenario::kLineDefinition);
  std::string train = Text(scenario::kTrainData);

  CompileInput Input(bool plan = true) const {
    return {.line_text = line,
            .train_text = train,
            .route_title = "Tarvosa",
            .train_title = "Corvale",
            .plan = plan};
  }
};

constexpr std::string_view kNoTrain = "[generale]\r\n[fine]\r\n";

void BM_LineReaderWithPlan(benchmark::State& bench) {
  const Sources sources;
  CompileInput input = sources.Input();
  input.train_text = kNoTrain;
  for (auto _ : bench) {
    CompiledScenario scenario;
    Diagnostics diagnostics;
    memorizza_dati(input, scenario, diagnostics);
    benchmark::DoNotOptimize(scenario);
  }
}
BENCHMARK(BM_LineReaderWithPlan)->Unit(benchmark::kMillisecond);

void BM_BothReadersWithoutPlan(benchmark::State& bench) {
  const Sources sources;
  const CompileInput input = sources.Input(false);
  for (auto _ : bench) {
    CompiledScenario scenario;
    Diagnostics diagnostics;
    memorizza_dati(input, scenario, diagnostics);
    benchmark::DoNotOptimize(scenario);
  }
}
BENCHMARK(BM_BothReadersWithoutPlan)->Unit(benchmark::kMillisecond);

void BM_BrakingPoints(benchmark::State& bench) {
  const Sources sources;
  const Compilation compiled = Compile(sources.Input());
  for (auto _ : bench) {
    bench.PauseTiming();
    std::vector<TrackCell> cells = compiled.scenario.cells;
    Diagnostics diagnostics;
    bench.ResumeTiming();
    PlaceBrakingPoints(cells, diagnostics);
  }
}
BENCHMARK(BM_BrakingPoints)->Unit(benchmark::kMicrosecond);

void BM_EncodeTrackCells(benchmark::State& bench) {
  const Compilation compiled = Compile(Sources().Input());
  for (auto _ : bench) benchmark::DoNotOptimize(EncodeTrackCells(compiled.scenario.cells));
}
BENCHMARK(BM_EncodeTrackCells)->Unit(benchmark::kMicrosecond);

void BM_EncodeScenarioTable(benchmark::State& bench) {
  const Compilation compiled = Compile(Sources().Input());
  for (auto _ : bench) benchmark::DoNotOptimize(EncodeScenarioHeader(compiled.scenario.header));
}
BENCHMARK(BM_EncodeScenarioTable)->Unit(benchmark::kMicrosecond);

void BM_EncodePlan(benchmark::State& bench) {
  const Compilation compiled = Compile(Sources().Input());
  for (auto _ : bench) benchmark::DoNotOptimize(EncodeLineData(*compiled.scenario.plan));
}
BENCHMARK(BM_EncodePlan)->Unit(benchmark::kMillisecond);

// The driver's writing of the three files, in a directory of its own (in
// memory where the system has one).
void BM_WriteCompiledFiles(benchmark::State& bench) {
  const fs::path base = fs::exists("/dev/shm") ? "/dev/shm" : fs::temp_directory_path();
  const fs::path dir = base / ("tarvosa-benchmark-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const ScenarioFiles files{.line_definition = "",
                            .train_data = "",
                            .plan = (dir / "linea.dat").string(),
                            .table = (dir / "treno.sim").string(),
                            .track = (dir / "treno.dat").string()};
  const Compilation compiled = Compile(Sources().Input());
  for (auto _ : bench)
    benchmark::DoNotOptimize(WriteCompiledFiles(DefaultOs(), compiled.scenario, files));
  fs::remove_all(dir);
}
BENCHMARK(BM_WriteCompiledFiles)->Unit(benchmark::kMillisecond);

// Takes the bytes of a file and keeps only their count.
class CountingSink final : public ByteSink {
 public:
  void Append(std::string_view bytes) override { count += bytes.size(); }
  std::size_t count = 0;
};

// The whole compile and the encoding of its three files; the counter is
// the time per metre of line.
void WholeCompile(benchmark::State& bench, const CompileInput& input, double metres) {
  for (auto _ : bench) {
    const Compilation compiled = Compile(input);
    CountingSink sink;
    WriteLineData(*compiled.scenario.plan, sink);
    sink.Append(EncodeScenarioHeader(compiled.scenario.header));
    sink.Append(EncodeTrackCells(compiled.scenario.cells));
    benchmark::DoNotOptimize(sink.count);
  }
  bench.counters["ns_per_metre"] = benchmark::Counter(
      metres * 1e-9, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_WholeCompile(benchmark::State& bench) {
  const Sources sources;
  WholeCompile(bench, sources.Input(), 227000);
}
BENCHMARK(BM_WholeCompile)->Unit(benchmark::kMillisecond);

void BM_WholeCompile1000km(benchmark::State& bench) {
  const LargeScenario large = MakeLargeScenario(1000000);
  WholeCompile(bench,
               {.line_text = large.line,
                .train_text = large.train,
                .route_title = "Tarvosa",
                .train_title = "Corvale",
                .plan = true},
               1000000);
}
BENCHMARK(BM_WholeCompile1000km)->Unit(benchmark::kMillisecond);

// ---- The running time ----

// The 1,000 km scenario compiled, every station given a time ten minutes
// after the one before, so that the train stops at each.
CompiledScenario TimedLargeScenario() {
  const LargeScenario large = MakeLargeScenario(1000000);
  Compilation compiled = Compile({.line_text = large.line,
                                  .train_text = large.train,
                                  .route_title = "Tarvosa",
                                  .train_title = "Corvale",
                                  .plan = false});
  for (std::size_t e = 1; e < kFirstBoardSlot && compiled.scenario.header[e].kind != 0; ++e) {
    compiled.scenario.header[e].time = static_cast<std::int32_t>(9 * 3600 + 600 * e);
  }
  return std::move(compiled.scenario);
}

// `scenario run` without its files: the run of the default train and its
// JSON, as the command prints it.
void BM_Run1000km(benchmark::State& bench) {
  const CompiledScenario scenario = TimedLargeScenario();
  const NumbersEntry numbers(scenario.header[kNumbersEntry]);
  const running::RollingStock train =
      *running::DefaultTrain(numbers.coaches, numbers.braked_weight_percent);
  for (auto _ : bench) {
    const auto run = running::ComputeRun(scenario, train, {});
    std::ostringstream json;
    tool::PrintRun(*run, {.train = train.name}, "json", json);
    benchmark::DoNotOptimize(json.str().size());
  }
}
BENCHMARK(BM_Run1000km)->Unit(benchmark::kMillisecond);

// The run alone, without its JSON.
void BM_RunOnly1000km(benchmark::State& bench) {
  const CompiledScenario scenario = TimedLargeScenario();
  const running::RollingStock train = *running::DefaultTrain(12, 130);
  for (auto _ : bench) benchmark::DoNotOptimize(running::ComputeRun(scenario, train, {}));
}
BENCHMARK(BM_RunOnly1000km)->Unit(benchmark::kMillisecond);

// ---- Hostile inputs: the time must follow their size ----

constexpr std::size_t kHostileBytes = 1024 * 1024;

// The line file of a 1,000 km line whose general part repeats `record` to
// 1 MB, before the length record that holds.
std::string Repeated(std::string_view record) {
  std::string line = "[generale]\r\n";
  while (line.size() < kHostileBytes) line.append(record).append("\r\n");
  return line + "lunghezza percorso, 1000000\r\n[curve]\r\n[fine]\r\n";
}

// The counter is the time per byte of the line file.
void HostileCompile(benchmark::State& bench, const std::string& line) {
  for (auto _ : bench) {
    const Compilation compiled = Compile({.line_text = line,
                                          .train_text = kNoTrain,
                                          .route_title = "Tarvosa",
                                          .train_title = "Corvale",
                                          .plan = true});
    benchmark::DoNotOptimize(compiled.scenario.cells.data());
  }
  bench.SetBytesProcessed(static_cast<std::int64_t>(bench.iterations() * line.size()));
}

// 1 MB of length records of the longest line, each of which once sized the
// track and the plan again.
void BM_RepeatedLengthRecords(benchmark::State& bench) {
  HostileCompile(bench, Repeated("lunghezza percorso, 1000000"));
}
BENCHMARK(BM_RepeatedLengthRecords)->Unit(benchmark::kMillisecond);

// 1 MB of length records of 0 m, a warning each: past the kept ones, a
// warning is only counted.
void BM_WarningRecords(benchmark::State& bench) {
  HostileCompile(bench, Repeated("lunghezza percorso, 0"));
}
BENCHMARK(BM_WarningRecords)->Unit(benchmark::kMillisecond);

// 1 MB of length records of 0 m, a warning each, the kept ones placed as
// the tool places them.
void BM_WarningPlaces(benchmark::State& bench) {
  const std::string line = Repeated("lunghezza percorso, 0");
  const Compilation compiled = Compile({.line_text = line,
                                        .train_text = kNoTrain,
                                        .route_title = "Tarvosa",
                                        .train_title = "Corvale",
                                        .plan = true});
  std::vector<SourceLocation> places;
  for (const Warning& w : compiled.diagnostics.warnings()) places.push_back(w.at);
  for (auto _ : bench) {
    benchmark::DoNotOptimize(WhereAll(places, {"linea.txt", line}, {"treno.txt", kNoTrain}));
  }
  bench.counters["warnings"] = static_cast<double>(places.size());
  bench.SetBytesProcessed(static_cast<std::int64_t>(bench.iterations() * line.size()));
}
BENCHMARK(BM_WarningPlaces)->Unit(benchmark::kMillisecond);

// A plan of 1 MB of empty rows, decoded; and one of 100 MB, more rows than
// the longest line has, refused.
void BM_DecodeSwollenPlan(benchmark::State& bench) {
  const std::string plan(static_cast<std::size_t>(bench.range(0)), '\0');
  for (auto _ : bench) benchmark::DoNotOptimize(DecodeLineData(plan));
  bench.SetBytesProcessed(static_cast<std::int64_t>(bench.iterations() * plan.size()));
}
BENCHMARK(BM_DecodeSwollenPlan)
    ->Arg(kHostileBytes)
    ->Arg(100 * kHostileBytes)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tarvosa

BENCHMARK_MAIN();
