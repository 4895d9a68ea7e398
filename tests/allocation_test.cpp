// What the compiler and the plan's decoder allocate on hostile inputs,
// counted by a global operator new of this test binary's own: the work
// must follow the input, never a multiple of it.
#include <cstdint>
#include <cstdlib>
#include <new>
#include <string>

#include <gtest/gtest.h>

#include "compile_support.h"
#include "compiler/compiled_files.h"
#include "compiler/stored_format.h"
#include "fake_os.h"
#include "util/coding.h"
#include "util/files.h"

namespace {

// What was allocated since the last Reset: how many blocks of at least
// `large` bytes, and the bytes of them all.
struct Allocations {
  std::size_t large = 0;
  std::size_t large_blocks = 0;
  std::size_t bytes = 0;
  bool counting = false;

  void Reset(std::size_t at_least) {
    large = at_least, large_blocks = 0, bytes = 0, counting = true;
  }
};
Allocations allocations;

}  // namespace

void* operator new(std::size_t size) {
  if (allocations.counting) {
    allocations.bytes += size;
    allocations.large_blocks += size >= allocations.large;
  }
  if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
  throw std::bad_alloc();
}
void operator delete(void* block) noexcept {
  std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
  std::free(block);
}

namespace tarvosa {
namespace {

constexpr std::string_view kNoTrain = "[generale]\r\n[fine]\r\n";

// A 1,000 km line whose general part repeats its length record `times`.
std::string RepeatedLength(int times) {
  std::string line = "[generale]\r\n";
  for (int i = 0; i < times; ++i) line += "lunghezza percorso, 1000000\r\n";
  return line + "[curve]\r\n[fine]\r\n";
}

// The large blocks of a compile: the cells, and the plan's two columns.
std::size_t LargeBlocksOfCompile(const std::string& line) {
  const std::size_t cells = (LastCellFor(kLongestLine) + 1) * sizeof(TrackCell);
  allocations.Reset(cells);
  const Compilation compiled = testing::CompileTexts(line, kNoTrain);
  allocations.counting = false;
  EXPECT_EQ(compiled.scenario.cells.size(),
            static_cast<std::size_t>(LastCellFor(kLongestLine) + 1));
  return allocations.large_blocks;
}

TEST(AllocationTest, TheTrackIsSizedOnceHoweverManyLengthRecords) {
  const std::size_t once = LargeBlocksOfCompile(RepeatedLength(1));
  EXPECT_EQ(once, 3u);  // the cells, X and Y
  EXPECT_EQ(LargeBlocksOfCompile(RepeatedLength(1000)), once);
}

TEST(AllocationTest, RepeatedLengthRecordsCompileToTheSameBytes) {
  const Compilation once = testing::CompileTexts(RepeatedLength(1), kNoTrain);
  const Compilation many = testing::CompileTexts(RepeatedLength(50), kNoTrain);
  EXPECT_EQ(EncodeTrackCells(many.scenario.cells), EncodeTrackCells(once.scenario.cells));
  EXPECT_EQ(EncodeScenarioHeader(many.scenario.header), EncodeScenarioHeader(once.scenario.header));
  EXPECT_EQ(EncodeLineData(*many.scenario.plan), EncodeLineData(*once.scenario.plan));
}

// A 10 km line whose general part holds `times` length records of 0 m
// before its own: a warning each.
std::string ZeroLengths(int times) {
  std::string line = "[generale]\r\n";
  for (int i = 0; i < times; ++i) line += "lunghezza percorso, 0\r\n";
  return line + "lunghezza percorso, 10000\r\n[curve]\r\n[fine]\r\n";
}

// The bytes allocated by a compile of `times` length records of 0 m.
std::size_t BytesOfZeroLengths(int times) {
  const std::string line = ZeroLengths(times);
  allocations.Reset(SIZE_MAX);
  const Compilation compiled = testing::CompileTexts(line, kNoTrain);
  allocations.counting = false;
  // Besides the records', the train file's: no clock and no coaches.
  EXPECT_EQ(compiled.diagnostics.warning_count(), static_cast<std::size_t>(times) + 2);
  return allocations.bytes;
}

// Past the kept ones, a warning is counted, its text never made: a hundred
// times the warnings allocate no more than the kept ones did.
TEST(AllocationTest, WarningsPastTheKeptOnesAllocateNothing) {
  const std::size_t kept = BytesOfZeroLengths(1000);
  const std::size_t many = BytesOfZeroLengths(100000);
  EXPECT_LE(many, kept + 64 * 1024) << kept;
}

// Empty elements, two bytes each: the plan of `rows` rows that holds nothing.
std::string EmptyPlan(std::size_t rows) {
  return std::string(2 * 2 * rows, '\0');
}

TEST(AllocationTest, ASwollenPlanIsRefusedWithoutDecodingIt) {
  const std::string swollen = EmptyPlan(5 * kMostPlanRows);
  allocations.Reset(1);
  const auto decoded = DecodeLineData(swollen);
  allocations.counting = false;
  EXPECT_FALSE(decoded);
  EXPECT_EQ(allocations.bytes, 0u);
}

TEST(AllocationTest, APlanIsDecodedIntoColumnsOfItsRowsAlone) {
  for (const std::size_t rows : {std::size_t{2}, std::size_t{1000}, kMostPlanRows}) {
    const std::string plan = EmptyPlan(rows);
    allocations.Reset(1);
    const auto decoded = DecodeLineData(plan);
    allocations.counting = false;
    ASSERT_TRUE(decoded) << rows;
    EXPECT_EQ(decoded->first.size(), rows);
    EXPECT_EQ(allocations.bytes, 2 * rows * sizeof(PlanElement)) << rows;
  }
}

// A file is read into one string of its size, never copied as it grows.
TEST(AllocationTest, AFileIsReadIntoOneBlockOfItsSize) {
  testing::FakeOs os;
  os.AddDirectory("/w");
  const std::size_t size = 4 * 1024 * 1024;
  os.AddFile("/w/linea.txt", std::string(size, 'x'));
  allocations.Reset(size);
  const Result<std::string> read = ReadWholeFile(os, "/w/linea.txt");
  allocations.counting = false;
  ASSERT_TRUE(read.ok());
  EXPECT_EQ(read->size(), size);
  EXPECT_EQ(allocations.large_blocks, 1u);
}

}  // namespace
}  // namespace tarvosa
