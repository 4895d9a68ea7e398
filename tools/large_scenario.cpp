#include "large_scenario.h"

#include <set>
#include <string>

#include "compiler/stored_format.h"

namespace tarvosa {
namespace {

constexpr std::int32_t kTextBoards = 40;
constexpr std::int32_t kStations = 36;  // below the 78 - 40 entries the boards leave

std::string Line(std::initializer_list<std::int64_t> values, const std::string& keyword) {
  std::string line = keyword;
  for (const std::int64_t value : values) line += ",  " + std::to_string(value);
  return line + "\r\n";
}

// The track cells taken so far, so that no feature lands on another.
class Cells {
 public:
  bool Free(std::int64_t progressive) const { return taken_.count(CellOf(progressive)) == 0; }
  void Take(std::int64_t cell) { taken_.insert(cell); }
  void TakeAt(std::int64_t progressive) { Take(CellOf(progressive)); }
  // The first progressive from `p` on, in steps of 50 m, whose cell and the
  // cells `around` it are free.
  std::int64_t FreeFrom(std::int64_t p, int around = 2) const {
    for (;; p += 50) {
      bool clear = true;
      for (int d = -around; d <= around && clear; ++d) clear = !taken_.count(CellOf(p) + d);
      if (clear) return p;
    }
  }

 private:
  std::set<std::int64_t> taken_;
};

void LineFile(std::int32_t length, Cells& cells, std::string& out) {
  out += "[generale]\r\nlunghezza percorso,    " + std::to_string(length) + "\r\n";
  out += "ripetizione segnali 4 codici,    2100,    " + std::to_string(length / 100 * 50) + "\r\n";
  out += "[curve]\r\n";
  for (std::int64_t k = 0, s = 1350; s + 1000 < length; ++k, s += 2000) {
    const std::string side = k % 2 == 0 ? "curvas" : "curvad";
    out += Line({s, 300 + (k * 137) % 400}, side + std::to_string(1 + k % 3));
  }
  out += "[pendenze]\r\n";
  for (std::int64_t k = 0, p = 0; p < length; ++k, p += 1400) {
    out += Line({p, (k * 7) % 21 - 10}, "pendenza");
  }
  out += "[montagne]\r\n";
  const std::int64_t span_step = std::max<std::int64_t>(length / 62, 3000);
  for (std::int64_t k = 0, p = 5000; k < 80 && p + 2000 < length; ++k, p += span_step) {
    out += Line({p, p + 1500, k % 2 == 0 ? 12 : 1}, "montagna");
  }
  out += "[cartelli]\r\n";
  for (std::int64_t k = 0, p = 1100; p < length; ++k, p += 4000) {
    const std::int64_t speed = 100 + 10 * (k % 8);
    out += Line({p, speed - 20, speed - 10, speed, 0}, "indicatori_vmax");
    out.insert(out.size() - 2, ",  ,  ,  ,  0");  // no second group, no stripes
    cells.TakeAt(p);
  }
  out += "[indicazioni]\r\n";
  for (std::int64_t k = 1; k <= kTextBoards; ++k) {
    const std::int64_t p = cells.FreeFrom(length / (kTextBoards + 1) * k / 50 * 50, 0);
    out += "cartello_indicatore,  " + std::to_string(p) + ",   (Culmine)\r\n";
    cells.TakeAt(p);
  }
  out += "[fine]\r\n";
}

void Stations(std::int32_t length, Cells& cells, std::string& out) {
  out += "[stazioni]\r\n";
  const std::int64_t step = length / (kStations + 1) / 50 * 50;
  for (std::int64_t k = 0; k < kStations; ++k) {
    const std::int64_t p = k == 0 ? 0 : step * k;
    const int kind = k == 0 ? 8 : (k == kStations - 1 ? 25 : 12);
    const std::string time = k == 0 ? "9,0,0" : "0,0,0";
    out += "stazione,  " + std::to_string(p) + ",  " + std::to_string(kind) +
           ",  400,  0, 0, 0,  0,0,0,  4,1,1,  0,  " + time + ", Stazione " + std::to_string(k) +
           "\r\n";
    const std::int64_t end = kind == 8 ? p + 400 : p + 200;
    for (std::int64_t c = end / 50 - 6; c <= end / 50 + 1; ++c) cells.Take(c);
  }
}

void TrainFile(std::int32_t length, Cells& cells, std::string& out) {
  out += "[generale]\r\nnumero vetture,    12\r\npercentuale massa frenata,    130\r\n";
  out += "sabbia,    180\r\norologio,    9               0            0 \r\n";
  out += "[aderenze]\r\n" + Line({0, 80}, "aderenza") +
         Line({length / 8 / 50 * 50, 85}, "aderenza") +
         Line({length / 2 / 50 * 50, 90}, "aderenza");
  out += "[vel_limite]\r\n";
  for (std::int64_t k = 0, p = 0; p < length; ++k, p += 8000) {
    out += Line({p, 100 + 10 * (k % 8)}, "velocita");
  }
  Stations(length, cells, out);
  out += "[rallentamenti]\r\n";
  for (std::int64_t p = 40000; p + 50000 < length; p += 100000) {
    const std::int64_t x = cells.FreeFrom(p, 30);  // warning board, markers and zone all free
    out += Line({x, 60, 500, 0, 1, 0}, "rallentamento");
    for (std::int64_t c = CellOf(x) - 30; c <= CellOf(x) + 30; ++c) cells.Take(c);
  }
  out += "[segnali]\r\n";
  for (std::int64_t p = 1050; p + 1000 < length; p += 1900) {
    const std::int64_t s = cells.FreeFrom(p);
    out += Line({s, 2, 4, 0, 0, 0, 0, 0, 0, 0, 0}, "segnale");
    cells.TakeAt(s);
    p = s;
  }
  out += "[codici]\r\n[fine]\r\n";
}

}  // namespace

LargeScenario MakeLargeScenario(std::int32_t length) {
  LargeScenario scenario;
  Cells cells;
  LineFile(length, cells, scenario.line);
  TrainFile(length, cells, scenario.train);
  return scenario;
}

}  // namespace tarvosa
