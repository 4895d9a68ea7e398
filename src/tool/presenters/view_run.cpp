#include "tool/presenters/view_run.h"

#include <cmath>

namespace tarvosa::tool {
namespace {

using running::ProfilePoint;

// Two decimals are finer than a chart or a readout shows, and keep the
// page small.
Json Rounded(double value) {
  return std::round(value * 100) / 100;
}

// Samples the profile at increasing metres: linear between its points,
// which stand at least at every cell's first metre.
class Sampler {
 public:
  explicit Sampler(const std::vector<ProfilePoint>& profile) : profile_(profile) {}

  // The point at `metres`, or none outside the run.
  std::optional<ProfilePoint> At(double metres) {
    if (profile_.empty() || metres < profile_.front().metres || metres > profile_.back().metres) {
      return std::nullopt;
    }
    while (next_ + 1 < profile_.size() && profile_[next_].metres < metres) ++next_;
    const ProfilePoint& after = profile_[next_];
    if (next_ == 0 || after.metres == metres) return after;
    const ProfilePoint& before = profile_[next_ - 1];
    const double share = (metres - before.metres) / (after.metres - before.metres);
    const auto mix = [share](double from, double to) { return from + (to - from) * share; };
    return ProfilePoint{metres, mix(before.speed_kmh, after.speed_kmh),
                        mix(before.ceiling_kmh, after.ceiling_kmh),
                        mix(before.time_s, after.time_s)};
  }

 private:
  const std::vector<ProfilePoint>& profile_;
  std::size_t next_ = 0;
};

}  // namespace

Json ViewRun(const running::RunResult& run, const RunSettings& settings, std::size_t cell_count) {
  Json speed = Json::array(), ceiling = Json::array(), time = Json::array();
  Sampler sampler(run.profile);
  for (std::size_t c = 1; c <= cell_count; ++c) {
    const auto point = sampler.At(50.0 * static_cast<double>(c - 1));
    speed.push_back(point ? Rounded(point->speed_kmh) : Json(nullptr));
    ceiling.push_back(point ? Rounded(point->ceiling_kmh) : Json(nullptr));
    time.push_back(point ? Rounded(point->time_s) : Json(nullptr));
  }
  const running::RunResult head{run.total_time_s, run.stations, {}};
  Json json = RunJson(head, settings);
  json.erase("profile");
  json["speed"] = std::move(speed);
  json["ceiling"] = std::move(ceiling);
  json["time"] = std::move(time);
  return json;
}

}  // namespace tarvosa::tool
