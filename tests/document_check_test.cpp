// The driver's documents set against the compiled scenario: the embedded
// example and documents made from the data agree; each kind of stale or
// wrong fact is told at its line and column with both values.
#include "documents/document_check.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "compile_support.h"
#include "documents/generated_slow_down_order.h"
#include "documents/generated_timetable.h"
#include "documents/station_names.h"
#include "scenario/line_table.h"
#include "scenario/slow_down_order_table.h"
#include "scenario/timetable_table.h"
#include "scenario/train_table.h"

namespace tarvosa {
namespace {

class DocumentCheck : public ::testing::Test {
 protected:
  void SetUp() override {
    const Compilation compiled = testing::CompileTexts(testing::CrLf(scenario::kLineDefinition),
                                                       testing::CrLf(scenario::kTrainData));
    ASSERT_FALSE(compiled.diagnostics.HasError());
    facts_ = FactsOf(compiled.scenario);
  }

  // The line (from 1) of the only line holding `text`, which becomes
  // `replacement` there.
  static std::size_t Replace(DocumentLines& lines, std::string_view text,
                             std::string_view replacement) {
    std::size_t found = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const auto at = lines[i].find(text);
      if (at == std::string::npos) continue;
      EXPECT_EQ(found, 0u) << "'" << text << "' stands on more than one line";
      lines[i].replace(at, text.size(), replacement);
      found = i + 1;
    }
    EXPECT_NE(found, 0u) << "'" << text << "' is on no line";
    return found;
  }
  static std::size_t LineHolding(const DocumentLines& lines, std::string_view text) {
    const auto at = std::find_if(lines.begin(), lines.end(), [&](const std::string& line) {
      return line.find(text) != std::string::npos;
    });
    return at == lines.end() ? 0 : static_cast<std::size_t>(at - lines.begin()) + 1;
  }

  RouteFacts facts_;
  DocumentLines sheet_{scenario::kTimetable.begin(), scenario::kTimetable.end()};
  DocumentLines order_{scenario::kSlowDownOrder.begin(), scenario::kSlowDownOrder.end()};
};

std::string Texts(const std::vector<DocumentFinding>& findings) {
  std::string texts;
  for (const DocumentFinding& f : findings) {
    texts += std::to_string(f.line) + ":" + std::to_string(f.column) + ": " + f.text + "\n";
  }
  return texts;
}

TEST_F(DocumentCheck, TheEmbeddedDocumentsAgreeWithTheirData) {
  EXPECT_EQ(Texts(CheckTimetable(sheet_, facts_)), "");
  EXPECT_EQ(Texts(CheckSlowDownOrder(order_, facts_)), "");
}

TEST_F(DocumentCheck, DocumentsMadeFromTheDataAgreeWithIt) {
  EXPECT_EQ(Texts(CheckTimetable(GenerateTimetable(facts_, "Corvale"), facts_)), "");
  EXPECT_EQ(Texts(CheckSlowDownOrder(GenerateSlowDownOrder(facts_, "Corvale"), facts_)), "");
}

TEST_F(DocumentCheck, AStaleSlowDownSpeedIsToldWithBothSpeeds) {
  facts_.slow_downs.front().speed = 50;  // the data changed, the order not
  const auto findings = CheckSlowDownOrder(order_, facts_);
  ASSERT_EQ(findings.size(), 1u) << Texts(findings);
  // " |   |stazione di Pozzuoli S.     |  201.000   |    15    |": the 15
  // stands at column 53.
  EXPECT_EQ(findings[0].line, 16u);
  EXPECT_EQ(findings[0].column, 53u);
  EXPECT_EQ(findings[0].text, "restriction 1 is 15 km/h on the order, 50 km/h in the train data");
}

TEST_F(DocumentCheck, ASlowDownAfterAnotherPostIsAWrongPlace) {
  const std::size_t line = Replace(order_, "  201.000   ", "  200.000   ");
  const auto findings = CheckSlowDownOrder(order_, facts_);
  ASSERT_EQ(findings.size(), 1u) << Texts(findings);
  EXPECT_EQ(findings[0].line, line);
  EXPECT_EQ(findings[0].column, 38u);
  EXPECT_EQ(findings[0].text,
            "restriction 1 begins after the kilometre post 200.000 on the order, at 201100 m in "
            "the train data");
  // Any point of the kilometre after the post is after it.
  facts_.slow_downs.front().start = 200999;
  EXPECT_TRUE(CheckSlowDownOrder(order_, facts_).empty());
  facts_.slow_downs.front().start = 201000;
  EXPECT_EQ(CheckSlowDownOrder(order_, facts_).size(), 1u);
}

TEST_F(DocumentCheck, ASlowDownOnOneSideOnlyIsTold) {
  facts_.slow_downs.push_back({.start = 210000, .length = 200, .speed = 30});
  const auto lacking = CheckSlowDownOrder(order_, facts_);
  ASSERT_EQ(lacking.size(), 1u) << Texts(lacking);
  EXPECT_EQ(lacking[0].line, 17u);  // under the last restriction
  EXPECT_EQ(lacking[0].text, "the order lacks the train data's slow-down 2 (210000 m, 30 km/h)");

  facts_.slow_downs.clear();
  const auto extra = CheckSlowDownOrder(order_, facts_);
  ASSERT_EQ(extra.size(), 1u) << Texts(extra);
  EXPECT_EQ(extra[0].line, 13u);  // where its number stands
  EXPECT_EQ(extra[0].text,
            "restriction 1 (after the kilometre post 201.000, 15 km/h) is no slow-down of the "
            "train data");
}

TEST_F(DocumentCheck, AMissingStationIsToldWhereItShouldStand) {
  sheet_.erase(sheet_.begin() + static_cast<std::ptrdiff_t>(LineHolding(sheet_, "|TORRICOLA_")) -
               1);
  const auto findings = CheckTimetable(sheet_, facts_);
  ASSERT_EQ(findings.size(), 1u) << Texts(findings);
  EXPECT_EQ(findings[0].line, LineHolding(sheet_, "|POMEZIA S.PALOMBA_"));
  EXPECT_EQ(findings[0].text,
            "the sheet lacks the train data's station 'Torricola' (at 12200 m) here");
}

TEST_F(DocumentCheck, AStationOutOfOrderIsTold) {
  const std::size_t latina = LineHolding(sheet_, "|LATINA_");
  const std::size_t sezze = LineHolding(sheet_, "|SEZZE ROMANO_");
  std::swap(sheet_[latina - 1], sheet_[sezze - 1]);
  const auto findings = CheckTimetable(sheet_, facts_);
  ASSERT_EQ(findings.size(), 1u) << Texts(findings);
  EXPECT_EQ(findings[0].line, latina);  // where SEZZE ROMANO now stands
  EXPECT_EQ(findings[0].column, 24u);
  EXPECT_EQ(findings[0].text,
            "the sheet has 'SEZZE ROMANO' before 'Latina', which the train reaches first");
}

TEST_F(DocumentCheck, AStationTheDataLacksIsTold) {
  const std::size_t line =
      Replace(sheet_, "|ITRI_______________________|", "|IMOLA______________________|");
  const auto findings = CheckTimetable(sheet_, facts_);
  ASSERT_EQ(findings.size(), 2u) << Texts(findings);
  EXPECT_EQ(findings[0].line, line);
  EXPECT_EQ(findings[0].text, "the sheet lacks the train data's station 'Itri' (at 124300 m) here");
  EXPECT_EQ(findings[1].line, line);
  EXPECT_EQ(findings[1].text, "the sheet's station 'IMOLA' is none of the train data's stations");
}

// Formia-Gaeta leaves at 10:47:10 and Napoli Mergellina at 11:33:00.
TEST_F(DocumentCheck, ATimeMoreThanHalfAMinuteOffIsTold) {
  DocumentLines within = sheet_;
  Replace(within, "|10.47___|", "|10.47½__|");  // 20 s after
  Replace(within, "|11.33___|", "|11.33½__|");  // 30 s after
  EXPECT_EQ(Texts(CheckTimetable(within, facts_)), "");

  const std::size_t formia = Replace(sheet_, "|10.47___|", "|10.48___|");      // 50 s after
  const std::size_t mergellina = Replace(sheet_, "|11.33___|", "|11.32½__|");  // 30 s before
  Replace(sheet_, "|11.32___|11.32½__|", "|11.32___|11.34___|");               // 60 s after
  const auto findings = CheckTimetable(sheet_, facts_);
  ASSERT_EQ(findings.size(), 2u) << Texts(findings);
  EXPECT_EQ(findings[0].line, formia);
  // The cells before the departure's are 1 + 4 + 7 + 7 + 27 + 8 wide, with
  // a "|" in front of each: it begins at column 61.
  EXPECT_EQ(findings[0].column, 61u);
  EXPECT_EQ(findings[0].text,
            "the sheet gives 10.48 at 'FORMIA GAETA', the train data 10:47:10: more than half a "
            "minute apart");
  EXPECT_EQ(findings[1].line, mergellina);
  EXPECT_EQ(findings[1].text,
            "the sheet gives 11.34 at 'NAPOLI MERGELLINA', the train data 11:33:00: more than "
            "half a minute apart");
}

TEST_F(DocumentCheck, TheOriginsTimeIsNotComparedAndTheLastStationsArrivalIs) {
  Replace(sheet_, "|9.38____|", "|8.00____|");  // the data: 9:42:50
  Replace(sheet_, "|11.52   |", "|12.30   |");  // a departure the run never makes
  EXPECT_EQ(Texts(CheckTimetable(sheet_, facts_)), "");
  const std::size_t last = Replace(sheet_, "|11.44   |", "|11.46   |");  // the data: 11:44:00
  const auto findings = CheckTimetable(sheet_, facts_);
  ASSERT_EQ(findings.size(), 1u) << Texts(findings);
  EXPECT_EQ(findings[0].line, last);
  EXPECT_EQ(findings[0].column, 52u);  // the arrival's cell, before the departure's
}

TEST_F(DocumentCheck, ATimeTheDataGivesMustBeOnTheSheet) {
  const std::size_t line = Replace(sheet_, "|10.11___|10.12___|", "|10.11___|________|");
  const auto findings = CheckTimetable(sheet_, facts_);
  ASSERT_EQ(findings.size(), 1u) << Texts(findings);
  EXPECT_EQ(findings[0].line, line);
  EXPECT_EQ(findings[0].text, "the sheet gives no time at 'LATINA'; the train data 10:12:20");
}

TEST_F(DocumentCheck, AStationsKilometreMustBeWhereTheDataPutsIt) {
  const std::size_t line =
      Replace(sheet_, "     12.20         TORRICOLA", "     12.40         TORRICOLA");
  const auto findings = CheckTimetable(sheet_, facts_);
  ASSERT_EQ(findings.size(), 1u) << Texts(findings);
  EXPECT_EQ(findings[0].line, line);
  EXPECT_EQ(findings[0].column, 41u);  // "12.40" ends at column 45
  EXPECT_EQ(findings[0].text, "the sheet puts 'TORRICOLA' at km 12.40, the train data at 12200 m");
  // Within the 10 m the sheet writes.
  facts_.stations[2].position = 12409;
  EXPECT_EQ(Texts(CheckTimetable(sheet_, facts_)), "");
  facts_.stations[2].position = 12410;
  EXPECT_EQ(CheckTimetable(sheet_, facts_).size(), 1u);
}

TEST_F(DocumentCheck, ADocumentInNoKnownLayoutIsToldOnce) {
  const DocumentLines prose = {"Il treno parte da Roma alle 9.38."};
  const auto sheet = CheckTimetable(prose, facts_);
  ASSERT_EQ(sheet.size(), 1u);
  EXPECT_EQ(sheet[0].line, 1u);
  const auto order = CheckSlowDownOrder(prose, facts_);
  ASSERT_EQ(order.size(), 1u);
  EXPECT_EQ(order[0].text, "the order lacks the train data's slow-down 1 (201100 m, 15 km/h)");
}

TEST(StationNames, CaseAndUnderscoresDoNotCount) {
  EXPECT_TRUE(SameStation("PRIVERNO_FOSSANOVA", "Priverno Fossanova"));
  EXPECT_TRUE(SameStation("monte_s.biagio", "MONTE S.BIAGIO"));
  EXPECT_TRUE(SameStation("  CITTÀ__DI  CASTELLO ", "Città di Castello"));
  EXPECT_TRUE(SameStation("POMEZIA S.PALOMBA", "Pomezia-S.Palomba"));
  EXPECT_EQ(StationKey("__Bagnoli-Agnano  Terme_"), "BAGNOLI AGNANO TERME");
  EXPECT_FALSE(SameStation("ROMA TUSCOLANA", "Roma Termini"));
  EXPECT_FALSE(SameStation("SEZZE", "Sessa"));
  EXPECT_FALSE(SameStation("", "Sessa"));
}

TEST(StationNames, ADotLeavesLettersOutAndANameMayStopAtAWord) {
  EXPECT_TRUE(SameStation("NAPOLI P.ZA LEOP.", "Napoli Piazza Leopardi"));
  EXPECT_TRUE(SameStation("NAPOLI C.FLEGREI", "Napoli Campi Flegrei"));
  EXPECT_TRUE(SameStation("FALCIANO MONDRAGONE C.", "Falciano-Mondragone-Carinola"));
  EXPECT_TRUE(SameStation("CAVALLEGGERI", "Cavalleggeri d'Aosta"));
  EXPECT_TRUE(SameStation("SESSA AURUNCA ROCCAMONFINA", "Sessa"));
  EXPECT_FALSE(SameStation("CAVALLEGG", "Cavalleggeri d'Aosta"));  // not at a word's end
  EXPECT_FALSE(SameStation("NAPOLI CENTRALE", "Napoli Campi Flegrei"));
  EXPECT_FALSE(SameStation("S.ANTIMO S.ARPINO", "Sessa"));
  EXPECT_FALSE(SameStation("NAPOLI P.ZA AMEDEO", "Napoli Piazza Cavour"));
}

TEST(StationNames, ALongNameMustBeTheSameWhole) {
  const std::string name = "Diramazione " + std::string(60, 'a');
  EXPECT_TRUE(SameStation(name + "_", "  " + name));
  EXPECT_FALSE(SameStation("DIRAMAZIONE .", name));
  EXPECT_FALSE(SameStation("DIRAMAZIONE", name));
  EXPECT_TRUE(SameStation("DIRAMAZIONE .", "Diramazione " + std::string(50, 'a')));
}

}  // namespace
}  // namespace tarvosa
