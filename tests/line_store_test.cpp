#include "runtime/line_store.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using runtime::LineStore;

// A line shaped like the program's result lines, different for every n.
std::string resultLine(std::size_t n) {
  return " " + std::to_string(n) + "  " + std::to_string(n * 7 + 3) + "  " + std::to_string(n * 11 + 5);
}

TEST(LineStore, GivesBackEveryLineAcrossManyChunks) {
  LineStore store;
  const std::size_t count = 3 * LineStore::kOffsetsPerBlock + 17;  // several offset blocks and text chunks
  for (std::size_t n = 0; n < count; ++n) store.append(n % 5 == 0 ? std::string() : resultLine(n));
  ASSERT_EQ(store.size(), count);
  for (std::size_t n = 0; n < count; ++n) {
    ASSERT_EQ(store.line(n), n % 5 == 0 ? std::string() : resultLine(n)) << "line " << n;
  }
}

TEST(LineStore, LinesStayInPlaceWhileMoreAreAdded) {
  LineStore store;
  store.append("premier");
  const std::string_view first = store.line(0);
  for (std::size_t n = 0; n < 200'000; ++n) store.append(resultLine(n));
  EXPECT_EQ(first.data(), store.line(0).data());
  EXPECT_EQ(first, "premier");
}

TEST(LineStore, KeepsALineLongerThanAChunkBetweenShortOnes) {
  LineStore store;
  const std::string longLine(LineStore::kTextChunkBytes + 123, 'x');
  store.append("avant");
  store.append(longLine);
  store.append("après");
  ASSERT_EQ(store.size(), 3U);
  EXPECT_EQ(store.line(0), "avant");
  EXPECT_EQ(store.line(1), longLine);
  EXPECT_EQ(store.line(2), "après");
}

TEST(LineStore, ClearEmptiesAndReleasesTheStore) {
  LineStore store;
  for (std::size_t n = 0; n < 100'000; ++n) store.append(resultLine(n));
  store.clear();
  EXPECT_TRUE(store.empty());
  EXPECT_LT(store.bytesReserved(), 1024U);
  store.append("pas de nombres");
  ASSERT_EQ(store.size(), 1U);
  EXPECT_EQ(store.line(0), "pas de nombres");
}

// The lines of the bounds 1 and 10^6 are 2,269,788, mostly of 20 to 23
// characters; a list of them must cost at most 40 bytes a line.
TEST(LineStore, CostsAtMostFortyBytesALine) {
  LineStore store;
  const std::size_t count = 2'269'788;
  for (std::size_t n = 0; n < count; ++n) store.append(" 123456  234567  345678");
  EXPECT_LE(store.bytesReserved(), 40 * count);
  EXPECT_EQ(store.line(count - 1), " 123456  234567  345678");
}

}  // namespace
