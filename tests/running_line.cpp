#include "running_line.h"

namespace tarvosa::testing {

CompiledScenario Line(std::int32_t metres, int kmh) {
  CompiledScenario line;
  line.cells.resize(static_cast<std::size_t>(metres / 50 + 4));
  for (TrackCell& cell : line.cells) {
    cell.speed_limit = static_cast<std::uint8_t>(kmh / 5);
    cell.gradient = 100;
  }
  line.header[kNumbersEntry].end = metres;
  return line;
}

void SetSpeed(CompiledScenario& line, std::int64_t first, std::int64_t last, int kmh) {
  for (auto c = first; c <= last; ++c) {
    line.cells.at(static_cast<std::size_t>(c)).speed_limit = static_cast<std::uint8_t>(kmh / 5);
  }
}

void SetGradient(CompiledScenario& line, std::int64_t first, std::int64_t last, int per_mille) {
  for (auto c = first; c <= last; ++c) {
    line.cells.at(static_cast<std::size_t>(c)).gradient =
        static_cast<std::uint8_t>(per_mille + 100);
  }
}

void AddStation(CompiledScenario& line, std::size_t entry, std::int32_t position, std::int32_t time,
                const std::string& name, std::int64_t stop_cell) {
  ScenarioEntry& e = line.header.at(entry);
  e.kind = stop_cell > 0 ? 24 : 25;
  e.position = position;
  e.start = position - 100;
  e.end = position + 100;
  e.time = time;
  e.name = name;
  if (stop_cell > 0) {
    line.cells.at(static_cast<std::size_t>(stop_cell)).kind = kStationStop;
    line.cells.at(static_cast<std::size_t>(stop_cell)).value_a = static_cast<std::int16_t>(entry);
  }
}

running::RollingStock ConstantEffort(double mass, double effort, double braking) {
  running::RollingStock stock;
  stock.mass = mass;
  stock.length = 1;
  stock.max_speed = 400;
  stock.inertia_coefficient = 1;
  stock.curve_speeds = {0};
  stock.curve_efforts = {effort};
  stock.braking = braking;
  return stock;
}

}  // namespace tarvosa::testing
