#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "search/number_text.h"
#include "search/result_line.h"

namespace {

using search::formatInteger;
using search::readInteger;

TEST(FormatInteger, PutsASpaceOrAMinusSignBeforeTheDigits) {
  EXPECT_EQ(formatInteger(5), " 5");
  EXPECT_EQ(formatInteger(0), " 0");
  EXPECT_EQ(formatInteger(12), " 12");
  EXPECT_EQ(formatInteger(-3), "-3");
  EXPECT_EQ(formatInteger(-1), "-1");
  EXPECT_EQ(formatInteger(INT32_MIN), "-2147483648");
  EXPECT_EQ(formatInteger(4563402752), " 4563402752");
  EXPECT_EQ(formatInteger(INT64_MIN), "-9223372036854775808");
  EXPECT_EQ(formatInteger(INT64_MIN).size(), search::kMaxNumberText);
  // The digits are counted from the bit width: each step of a digit, on
  // either side of the 32-bit limit.
  for (std::int64_t power = 1; power <= 100000000000; power *= 10) {
    for (const std::int64_t value : {power - 1, power}) {
      EXPECT_EQ(formatInteger(value), " " + std::to_string(value));
      EXPECT_EQ(formatInteger(-value), (value == 0 ? " " : "-") + std::to_string(value));
    }
  }
  EXPECT_EQ(formatInteger(UINT32_MAX), " 4294967295");
}

TEST(ResultLine, JoinsTheThreeNumbersWithSingleSpaces) {
  search::ResultLine line;
  EXPECT_EQ(line.format({3, 4, 5}), " 3  4  5");
  EXPECT_EQ(line.format({5, 12, 13}), " 5  12  13");
  EXPECT_EQ(line.format({-3, -4, 5}), "-3 -4  5");
  // The lines of a row share the text of i.
  EXPECT_EQ(line.format({-3, 4, 5}), "-3  4  5");
  EXPECT_EQ(line.format({-3, 0, 3}), "-3  0  3");
  EXPECT_EQ(line.format({0, 7, 7}), " 0  7  7");
  EXPECT_EQ(search::ResultLine().format({0, -7, 7}), " 0 -7  7");
  EXPECT_EQ(search::rangeLine(3, 10), "entre  3 et 10");
  EXPECT_EQ(search::rangeLine(5, 2), "entre  5 et 2");
  EXPECT_EQ(search::rangeLine(-7, -2), "entre -7 et-2");
}

TEST(ReadInteger, ReadsNumbersWithBlanksAndASign) {
  EXPECT_EQ(readInteger("42", ","), 42);
  EXPECT_EQ(readInteger("  42 \t", ","), 42);
  EXPECT_EQ(readInteger("+7", ","), 7);
  EXPECT_EQ(readInteger("-15", ","), -15);
  EXPECT_EQ(readInteger("-0", ","), 0);
  EXPECT_EQ(readInteger("0", ","), 0);
  EXPECT_EQ(readInteger("007", ","), 7);
}

TEST(ReadInteger, ReadsTheWholeThirtyTwoBitRangeAndNoMore) {
  EXPECT_EQ(readInteger("2147483647", ","), 2147483647);
  EXPECT_EQ(readInteger("-2147483648", ","), INT32_MIN);
  EXPECT_EQ(readInteger("2147483648", ","), std::nullopt);
  EXPECT_EQ(readInteger("-2147483649", ","), std::nullopt);
  EXPECT_EQ(readInteger("99999999999999999999999", ","), std::nullopt);
  // Rounding can carry a value out of range, or back into it.
  EXPECT_EQ(readInteger("2147483647,5", ","), std::nullopt);
  EXPECT_EQ(readInteger("-2147483648,5", ","), INT32_MIN);
  EXPECT_EQ(readInteger("-2147483648,6", ","), std::nullopt);
}

TEST(ReadInteger, RoundsFractionsHalfToEvenWithTheLocaleSeparator) {
  EXPECT_EQ(readInteger("2,5", ","), 2);
  EXPECT_EQ(readInteger("3,5", ","), 4);
  EXPECT_EQ(readInteger("-2,5", ","), -2);
  EXPECT_EQ(readInteger("0,5", ","), 0);
  EXPECT_EQ(readInteger("1,5", ","), 2);
  EXPECT_EQ(readInteger("2,50000001", ","), 3);
  EXPECT_EQ(readInteger("2,49999", ","), 2);
  EXPECT_EQ(readInteger("7,", ","), 7);
  EXPECT_EQ(readInteger(",6", ","), 1);
  EXPECT_EQ(readInteger("2.5", "."), 2);
  // The other separator is not a number.
  EXPECT_EQ(readInteger("2.5", ","), std::nullopt);
  EXPECT_EQ(readInteger("2,5", "."), std::nullopt);
}

TEST(ReadInteger, FailsOnAnythingThatIsNotANumber) {
  for (const char* text :
       {"", "   ", "abc", "12a", "-", "+", ",", "1 2", "--1", "+-1", "1,2,3", "1e3", "0x10"}) {
    EXPECT_EQ(readInteger(text, ","), std::nullopt) << '"' << text << '"';
  }
}

TEST(ReadInteger, HandlesAMegabyteOfDigits) {
  const std::string digits(1 << 20, '9');
  EXPECT_EQ(readInteger(digits, ","), std::nullopt);
  EXPECT_EQ(readInteger(std::string(1 << 20, '0') + "12", ","), 12);
  EXPECT_EQ(readInteger("3," + std::string(1 << 20, '0') + "1", ","), 3);
  EXPECT_EQ(readInteger("3,5" + std::string(1 << 20, '0'), ","), 4);
}

}  // namespace
