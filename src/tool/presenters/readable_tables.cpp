#include "tool/presenters/readable_tables.h"

#include <algorithm>
#include <string>

#include "compiler/stored_format.h"
#include "compiler/stored_views.h"
#include "tool/presenters/cell_description.h"
#include "tool/presenters/entry_description.h"
#include "util/windows1252.h"

namespace tarvosa::tool {
namespace {

bool ProfileChanges(const TrackCell& a, const TrackCell& b) {
  return a.speed_limit != b.speed_limit || a.gradient != b.gradient || a.adhesion != b.adhesion ||
         a.montagna_kind != b.montagna_kind;
}

bool HoldsMore(const TrackCell& c) {
  return c.kind != kFree || c.value_a != 0 || c.value_b != 0 || c.value_c != 0 || c.value_d != 0 ||
         c.signal_time != 0 || c.approach_code != 0;
}

std::vector<Value> TrackRow(const TrackContext& track, std::size_t index) {
  const TrackCell& c = track.cells[index];
  const CellDescription d = DescribeCell(track, index);
  const auto cell = static_cast<std::int64_t>(index);
  return {cell,
          FeatureProgressive(cell),
          LineSpeedKmh(c.speed_limit),
          GradientPerMille(c.gradient),
          c.adhesion,
          Value(c.montagna_kind, c.montagna_kind == 0 ? "" : std::to_string(c.montagna_kind)),
          Value(c.kind, d.kind),
          Value(FieldsObject(d.what), WhatText(d)),
          d.kind,
          d.approach,
          c.value_a,
          c.value_b,
          c.value_c,
          c.value_d,
          c.signal_time,
          c.approach_code,
          c.montagna_kind};
}

// The description's fields but those with the given keys.
Fields Without(const Fields& fields, std::initializer_list<const char*> keys) {
  Fields kept;
  for (const Field& field : fields) {
    if (std::find(keys.begin(), keys.end(), field.key) == keys.end()) kept.push_back(field);
  }
  return kept;
}

std::vector<Value> EntryRow(std::size_t index, const ScenarioEntry& e) {
  const EntryDescription d = DescribeEntry(index, e);
  const bool station = d.role == "station";
  // A station's name, time, position and stretch have columns of their own.
  const Fields what = station ? Without(d.fields, {"name", "time", "position", "stretch"})
                              : Without(d.fields, {"name"});
  const Json stretch = station ? Json{{"start_m", e.start}, {"end_m", e.end}} : Json();
  return {index,
          d.role,
          Windows1252ToUtf8(e.name),
          Value(e.time, station && e.time != 0 ? Clock(e.time) : ""),
          station ? Json(e.position) : Json(),
          Value(stretch, station ? StretchText(e) : ""),
          Value(FieldsObject(what), FieldsText(what)),
          e.kind,
          e.start,
          e.end,
          e.position,
          e.flag_a,
          e.word_a,
          e.word_b,
          e.word_c,
          e.word_d,
          e.word_e,
          e.byte_a,
          e.byte_b,
          e.byte_c,
          e.byte_d};
}

std::vector<Column> Stored(std::initializer_list<const char*> names) {
  std::vector<Column> columns;
  for (const char* name : names) columns.push_back({name, false, true});
  return columns;
}

}  // namespace

Table TrackTable(const std::vector<TrackCell>& cells, const ScenarioHeader* header) {
  Table t{{{"cell"},
           {"metres"},
           {"speed_kmh"},
           {"gradient"},
           {"adhesion"},
           {"tunnel"},
           {"kind", true},
           {"what", true}},
          {},
          true};
  const auto stored = Stored({"kind_name", "approach", "value_a", "value_b", "value_c", "value_d",
                              "signal_time", "approach_code", "montagna_kind"});
  t.columns.insert(t.columns.end(), stored.begin(), stored.end());
  const TrackContext track{cells, header};
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i == 0 || HoldsMore(cells[i]) || ProfileChanges(cells[i - 1], cells[i])) {
      t.rows.push_back(TrackRow(track, i));
    }
  }
  return t;
}

Table ScenarioTable(const ScenarioHeader& header) {
  Table t{{{"entry"},
           {"role", true},
           {"name", true},
           {"time"},
           {"metres"},
           {"stretch"},
           {"what", true}},
          {},
          true};
  const auto stored =
      Stored({"kind", "start", "end", "position", "flag_a", "word_a", "word_b", "word_c", "word_d",
              "word_e", "byte_a", "byte_b", "byte_c", "byte_d"});
  t.columns.insert(t.columns.end(), stored.begin(), stored.end());
  for (std::size_t i = 0; i < header.size(); ++i) {
    if (i < kReferenceTre && EmptyEntry(header[i])) continue;
    t.rows.push_back(EntryRow(i, header[i]));
  }
  return t;
}

Table PlanTable(const DecodedPlan& plan, long step) {
  Table t{{{"metres"}, {"x"}, {"y"}}, {}, true};
  const auto value = [](const PlanElement& e) { return e.tag == 0 ? Json() : Json(e.value); };
  for (std::size_t row = 0; row < plan.first.size(); row += static_cast<std::size_t>(step)) {
    t.rows.push_back({row, value(plan.first[row]), value(plan.second[row])});
  }
  return t;
}

}  // namespace tarvosa::tool
