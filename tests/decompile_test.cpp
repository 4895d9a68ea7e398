// The decompiler: texts that compile to the same bytes as the files they
// come from, and warnings wherever they cannot.
#include <gtest/gtest.h>

#include "compile_support.h"
#include "round_trip.h"
#include "scenario/line_table.h"
#include "scenario/train_table.h"

namespace tarvosa {
namespace {

using testing::CrLf;

testing::EncodedFiles Compiled(const std::string& line, const std::string& train,
                               bool plan = true) {
  const Compilation c = testing::CompileWithTitles(line, train, "Tarvosa", "Corvale", plan);
  EXPECT_TRUE(c.Writable());
  return testing::Encode(c);
}

TEST(Decompile, TheExampleComesBackToTheSameBytes) {
  const auto files = Compiled(CrLf(scenario::kLineDefinition), CrLf(scenario::kTrainData));
  const auto trip = testing::DecompileAndCompile(files);
  ASSERT_FALSE(trip.decompiled.refusal) << trip.decompiled.refusal->text;
  EXPECT_EQ(testing::WarningsText(trip.decompiled), "");
  EXPECT_TRUE(trip.second.track == files.track);
  EXPECT_TRUE(trip.second.table == files.table);
  EXPECT_TRUE(trip.second.plan == files.plan);
}

}  // namespace
}  // namespace tarvosa
