#include "scenario_generator.h"

#include <set>
#include <vector>

#include "compiler/stored_format.h"

namespace tarvosa::testing {
namespace {

// A small generator of its own, so that a seed means the same everywhere.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed * 2654435761u + 1) {}
  std::uint64_t Next() {
    state_ ^= state_ << 13, state_ ^= state_ >> 7, state_ ^= state_ << 17;
    return state_;
  }
  // A whole number from `low` to `high`.
  std::int64_t In(std::int64_t low, std::int64_t high) {
    return low + static_cast<std::int64_t>(Next() % static_cast<std::uint64_t>(high - low + 1));
  }
  bool OneIn(int n) { return In(1, n) == 1; }

 private:
  std::uint64_t state_;
};

std::string Line(const std::string& keyword, std::initializer_list<std::int64_t> values) {
  std::string line = keyword;
  for (const std::int64_t value : values) line += ",  " + std::to_string(value);
  return line + "\r\n";
}

// A name or board text: letters, blanks, brackets and accented letters.
std::string Text(Random& r) {
  static const std::string kLetters = "abcdeRSTUV ()+-\xE0\xE8\xE9\xF2";
  std::string text(1, 'A' + static_cast<char>(r.In(0, 25)));
  for (std::int64_t i = r.In(0, 14); i > 0; --i) {
    text += kLetters[static_cast<std::size_t>(r.In(0, std::ssize(kLetters) - 1))];
  }
  return text;
}

class Generator {
 public:
  explicit Generator(std::uint64_t seed) : r_(seed) {}

  GeneratedScenario Run() {
    length_ = r_.In(2500, 8000);
    last_cell_ = RoundHalfEven(length_ + 7000, 50);
    GeneratedScenario s;
    LineFile(s.line);
    TrainFile(s.train);
    return s;
  }

 private:
  // The cells from `first` to `last` are free (and then taken).
  bool Take(std::int64_t first, std::int64_t last) {
    for (std::int64_t c = first; c <= last; ++c) {
      if (taken_.count(c) || c < 2 || c > last_cell_ - 3) return false;
    }
    for (std::int64_t c = first; c <= last; ++c) taken_.insert(c);
    return true;
  }
  std::int64_t Somewhere(std::int64_t from = 150) {
    return r_.In(from / 50, (length_ + 2000) / 50) * 50 + (r_.OneIn(6) ? r_.In(-24, 24) : 0);
  }

  void General(std::string& out) {
    out += "[generale]\r\n" + Line("lunghezza percorso", {length_});
    const char* names[] = {"uno", "due", "tre"};
    for (const char* name : names) {
      const bool set = r_.OneIn(3);
      const std::int64_t start = set ? r_.In(0, 100) * 50 : 0;
      out += Line(std::string("progressiva chilometrica ") + name,
                  {start, set ? start + r_.In(0, 100) * 50 : 0, set ? r_.In(0, 2) : 0});
    }
    out += Line("sfondo uno", {r_.In(0, 3)}) + Line("sfondo due", {r_.In(-2, 5)});
    out += Line("sfondo tre", {r_.In(0, 300)});
    const std::string codes = r_.OneIn(2) ? "4" : "9";
    out += Line("ripetizione segnali " + codes + " codici",
                {r_.In(0, 40) * 50, r_.OneIn(4) ? 0 : r_.In(0, 200) * 50});
  }

  void Curves(std::string& out) {
    out += "[curve]\r\n";
    for (std::int64_t at = r_.In(0, 800); at + 700 < length_ + 7000 - 100; at += r_.In(0, 900)) {
      const std::int64_t n = r_.In(1, 600);
      out += Line((r_.OneIn(2) ? "curvas" : "curvad") + std::to_string(r_.In(1, 6)), {at, n});
      at += n;
    }
  }

  // Ascending records, some in one cell's reach of each other.
  void Profile(std::string& out, const std::string& keyword, std::int64_t low, std::int64_t high,
               std::int64_t step = 1) {
    out += Line(keyword, {0, r_.In(low, high) * step});
    for (std::int64_t at = r_.In(1, 40) * 50; at < length_ + 6800; at += r_.In(1, 60) * 50) {
      out += Line(keyword, {at + (r_.OneIn(5) ? r_.In(-20, 20) : 0), r_.In(low, high) * step});
    }
  }

  void Spans(std::string& out) {
    out += "[montagne]\r\n";
    for (std::int64_t at = r_.In(2, 40) * 50; at < length_; at += r_.In(0, 40) * 50) {
      const std::int64_t end = at + r_.In(1, 40) * 50;
      const std::int64_t type = r_.In(1, 3) + (r_.OneIn(2) ? 10 : 0);
      out += Line("montagna", {at, end, type});
      at = end;
    }
  }

  void Boards(std::string& out) {
    out += "[cartelli]\r\n";
    for (std::int64_t n = r_.In(0, 6); n > 0; --n) {
      const std::int64_t at = Somewhere();
      if (!Take(CellOf(at), CellOf(at))) continue;
      out += Line("indicatori_vmax", {at, r_.In(30, 200), r_.In(0, 200), r_.In(0, 200), r_.In(0, 2),
                                      r_.In(0, 19) * 5, 0, r_.In(0, 99), r_.In(0, 9)});
    }
    out += "[indicazioni]\r\n";
    for (std::int64_t n = r_.In(0, 5); n > 0; --n) {
      const std::int64_t at = Somewhere();
      if (!Take(CellOf(at), CellOf(at))) continue;
      out += "cartello_indicatore,  " + std::to_string(at) + ",  " + Text(r_) + "\r\n";
    }
  }

  void LineFile(std::string& out) {
    General(out);
    Curves(out);
    out += "[pendenze]\r\n";
    Profile(out, "pendenza", -100, 155);
    Spans(out);
    Boards(out);
    out += "[fine]\r\n";
  }

  void Stations(std::string& out) {
    static const int kTypes[] = {2, 4, 5, 6, 7, 8, 12, 24, 25, 26, 28};
    out += "[stazioni]\r\n";
    std::int64_t free_from = -1000;
    for (std::int64_t n = r_.In(1, 6); n > 0; --n) {
      const std::int64_t type = kTypes[r_.In(0, 10)];
      const std::int64_t length = r_.In(1, 6) * 100, extension = r_.In(0, 1);
      const std::int64_t p = (free_from + 350 + length + 100) / 50 * 50 + r_.In(0, 20) * 50;
      const std::int64_t end = p + length + 200;
      if (end + 800 > 50 * last_cell_ || !Take(CellOf(p - length) - 1, CellOf(end) + 1)) break;
      out += Line("stazione", {p, type, length, r_.In(0, 3), r_.In(0, 1), extension, r_.In(0, 5),
                               r_.In(0, 3), r_.In(0, 2), r_.In(2, 4), 1, 1, r_.In(0, 60),
                               r_.In(6, 20), r_.In(0, 59), r_.In(0, 59)});
      out.insert(out.size() - 2, ",  " + Text(r_));
      free_from = end + 50;
    }
  }

  void SlowDowns(std::string& out) {
    out += "[rallentamenti]\r\n";
    for (std::int64_t n = r_.In(0, 2); n > 0; --n) {
      const std::int64_t x = r_.In(6, (length_ + 1000) / 50) * 50, l = r_.In(1, 16) * 50;
      const std::int64_t s = CellOf(x);
      if (!Take(s - 30, CellOf(x + l) + 14)) continue;
      out += Line("rallentamento", {x, r_.In(2, 30) * 5, l, r_.In(0, 1), r_.In(0, 1),
                                    r_.OneIn(2) ? 0 : r_.In(1, 3)});
    }
  }

  void TrainFile(std::string& out) {
    out += "[generale]\r\n" + Line("numero vetture", {r_.In(1, 14)});
    out += Line("percentuale massa frenata", {r_.In(60, 160)}) + Line("sabbia", {r_.In(0, 300)});
    out += Line("orologio", {r_.In(0, 23), r_.In(0, 59), r_.In(0, 59)});
    out += "[aderenze]\r\n";
    Profile(out, "aderenza", 0, 255);
    out += "[vel_limite]\r\n";
    Profile(out, "velocita", 0, 40, 5);
    Stations(out);
    SlowDowns(out);
    out += "[segnali]\r\n";
    for (std::int64_t n = r_.In(0, 8); n > 0; --n) {
      const std::int64_t at = Somewhere(400);
      if (!Take(CellOf(at) - 2, CellOf(at))) continue;
      out +=
          Line("segnale", {at, 2, r_.In(2, 5), r_.In(0, 5), r_.In(0, 6), r_.In(0, 1), r_.In(0, 2),
                           r_.In(0, 3), r_.In(0, 1), r_.In(0, 1), r_.OneIn(3) ? r_.In(0, 255) : 0});
    }
    out += "[abbattimenti]\r\n";
    for (std::int64_t n = r_.In(0, 3); n > 0; --n) {
      const std::int64_t at = Somewhere(200);
      if (!Take(RoundHalfEven(at, 50), RoundHalfEven(at, 50))) continue;
      const std::int64_t values[] = {0, 180, r_.In(1, 400)};
      out += Line("abbattimento", {at, values[r_.In(0, 2)]});
    }
    out += "[fine]\r\n";
  }

  Random r_;
  std::int64_t length_ = 0, last_cell_ = 0;
  std::set<std::int64_t> taken_;
};

}  // namespace

GeneratedScenario GenerateScenario(std::uint64_t seed) {
  return Generator(seed).Run();
}

}  // namespace tarvosa::testing
