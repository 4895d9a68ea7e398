#include <string>
#include <vector>

#include "tool/presenters/comparisons.h"
#include "tool/presenters/entry_description.h"

namespace tarvosa::tool {
namespace {

const Field* Find(const Fields& fields, const std::string& key) {
  for (const Field& field : fields) {
    if (field.key == key) return &field;
  }
  return nullptr;
}

std::string Label(const Field& field) {
  return field.label.empty() ? field.key : field.label;
}

// "entry 2, station Latina".
std::string Heading(std::size_t index, const EntryDescription& d) {
  std::string heading = "entry " + std::to_string(index) + ", " + d.role;
  if (const Field* name = Find(d.fields, "name"); name != nullptr && !name->shown.empty()) {
    heading += " " + name->shown;
  }
  return heading;
}

// One line per field that differs: "time: A 10:12:20, B 10:13:20".
std::vector<std::string> FieldChanges(const Fields& a, const Fields& b) {
  std::vector<std::string> lines;
  const auto add = [&](const Field& field, const Field* in_a, const Field* in_b) {
    const std::string va = in_a ? in_a->shown : "-", vb = in_b ? in_b->shown : "-";
    if (va != vb) lines.push_back(Label(field) + ": A " + va + ", B " + vb);
  };
  for (const Field& field : a) add(field, &field, Find(b, field.key));
  for (const Field& field : b) {
    if (Find(a, field.key) == nullptr) add(field, nullptr, &field);
  }
  return lines;
}

std::string Whole(const EntryDescription& d) {
  const std::string fields = FieldsText(d.fields);
  return d.role + (fields.empty() ? "" : ": " + fields);
}

void ReportEntry(std::size_t index, const ScenarioEntry& a, const ScenarioEntry& b,
                 std::ostream& out) {
  const EntryDescription da = DescribeEntry(index, a), db = DescribeEntry(index, b);
  out << "  " << Heading(index, da) << "\n";
  if (da.role != db.role) {
    out << "    A: " << Whole(da) << "\n    B: " << Whole(db) << "\n";
    return;
  }
  const std::vector<std::string> lines = FieldChanges(da.fields, db.fields);
  for (const std::string& line : lines) out << "    " << line << "\n";
  if (lines.empty()) out << "    the stored bytes differ where the text shows none (dump --raw)\n";
}

}  // namespace

bool CompareTables(const ScenarioHeader& a, const ScenarioHeader& b, std::ostream& out) {
  std::size_t differing = 0;
  for (std::size_t i = 0; i < kScenarioEntries; ++i) differing += a[i] != b[i];
  out << "table: ";
  if (differing == 0) {
    out << "the same (" << kScenarioEntries << " entries)\n";
    return false;
  }
  out << differing << " of " << kScenarioEntries << " entries differ\n";
  for (std::size_t i = 0; i < kScenarioEntries; ++i) {
    if (a[i] != b[i]) ReportEntry(i, a[i], b[i], out);
  }
  return true;
}

}  // namespace tarvosa::tool
