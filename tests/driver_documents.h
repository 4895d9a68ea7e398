// The five documents of the scenario as its driver reads them: what each
// one says about the line, the train and the timetable, in metres, km/h and
// seconds since midnight, with nothing compiled.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace tarvosa::testing {

using Metres = long;
using Seconds = long;

struct Gradient {
  Metres from;
  int per_mille;
};
struct Span {
  Metres start, end;
};
struct SpeedBoard {
  Metres at;
  std::array<int, 3> speeds;  // ranks A, B and C
  int stripes;
};
struct LineFile {
  std::vector<Gradient> gradients;
  std::vector<Span> spans;
  std::vector<SpeedBoard> boards;
  Metres repetition_from = 0, repetition_to = 0;  // cab signalling with 4 codes
};

struct SpeedLimit {
  Metres from;
  int kmh;
};
struct Station {
  Metres position, length;
  int type;
  bool extended;                // the stretch runs 50 m further
  std::optional<Seconds> time;  // the timetable time, where it has one
  std::string name;             // with the line that continues it
  Metres StretchStart() const;
  Metres StretchEnd() const;
  // Where the head of the train stands when it stops: 100 m short of the
  // stretch's far end, the stop cell the simulator gives the station.
  Metres StopPoint() const { return StretchEnd() - 100; }
  bool HasSignals() const {
    return type == 4 || type == 8 || type == 12 || type == 24 || type == 25;
  }
};
struct SlowDown {
  Metres from;
  int kmh;
  Metres length;
};
struct TrainFile {
  Seconds clock = 0;
  std::vector<SpeedLimit> limits;
  std::vector<Station> stations;
  std::vector<SlowDown> slow_downs;
  std::vector<Metres> signals;
};

// A row of the sheet's station table.
struct SheetStop {
  std::string name;
  std::optional<Seconds> arrival;
  Seconds departure;  // or the passing time
};
// A row of one of the sheet's three speed tables.
struct SheetRow {
  enum class Kind { kPlain, kLocality, kPost, kEntrance, kExit };
  int section = 0;
  bool on_route = true;  // false on the branch through Aversa, which counts its own kilometres
  Kind kind = Kind::kPlain;
  Metres at = 0;
  std::string locality;
  std::optional<std::array<int, 4>> speeds;  // ranks A, B, C and P; 0 for "---"
};
struct Sheet {
  std::vector<SheetStop> stops;
  std::vector<SheetRow> rows;
};

struct SlowDownOrder {
  Metres after_post;
  int kmh;
  Metres length;
};

struct DriversDocuments {
  LineFile line;
  TrainFile train;
  Sheet sheet;
  SlowDownOrder order;
  std::string notes;  // the prose, its hand-wrapped lines joined by single blanks
  std::string line_bytes, train_bytes;
};

// Writes the five documents into a scratch directory and reads them.
DriversDocuments ReadDriversDocuments();

// "9.38" and "11.15" followed by the half sign (Windows-1252 BD), in seconds.
std::optional<Seconds> SheetTime(const std::string& text);
// The kilometre as railways write it: 201100 is "km 201+100".
std::string RailwayKilometre(Metres at);
// Whether a name as the sheet writes it ("NAPOLI P.ZA GARIB.") can be read
// as the train file's name ("Napoli Piazza Garibaldi"): every word of the
// sheet's is a word of the other, in order and the first for the first, or
// its start when it ends in a full stop.
bool NamesTheStation(const std::string& sheet_name, const std::string& station_name);

}  // namespace tarvosa::testing
