// The lenient number reading of the text boxes and the options file, the
// strict conversion with ties to even and overflow, and booleans.
#include "common/conversions.h"

#include <gtest/gtest.h>

#include <cmath>

#include "common/error.h"

namespace orvanta {
namespace {

TEST(ConversionsTest, ReadLeadingNumberReadsWhatItCan) {
  const std::pair<const char*, double> cases[] = {
      {"12abc", 12},
      {"abc", 0},
      {" 1 2 3 ", 123},
      {"\t- 4.5x", -4.5},
      {"1.2.3", 1.2},
      {".5", 0.5},
      {"1E3", 1000},
      {"2d-1", 0.2},
      {"7e+", 7},
      {"--3", 0},
      {"1,000", 1},
      {"&H1F", 31},
      {"&HFFFF", -1},
      {"&o17", 15},
      {"1e-999", 0},
      {"&o19", 1},
      {"&HfF", 255},
      {"&H10000", 65536},
      {"&H8000", -32768},
      {"&Hg", 0},
      {"&x1", 0},
      {"1D2", 100},
      {"4E-1", 0.4},
      {"&HFFFFFFFF", -1},
      {"&H100000000", 4294967296.0}};
  for (const auto& [text, value] : cases) {
    EXPECT_EQ(ReadLeadingNumber(text), value) << text;
  }
  EXPECT_TRUE(std::isinf(ReadLeadingNumber("1e999")));
  std::string box = "9";
  EXPECT_EQ(ValidateTextBoxNumber(&box, 10, 5000, 150), 150);
  EXPECT_EQ(box, "150");
  box = "12.5";
  EXPECT_EQ(ValidateTextBoxNumber(&box, 10, 5000, 150), 12);
}

TEST(ConversionsTest, WholeNumbersRoundTiesToEvenAndReportFailures) {
  for (const char* text : {"", ".", "12abc", "1 2", "1e", "1.2.3"}) {
    EXPECT_FALSE(ParseNumeric(text).has_value()) << text;
  }
  EXPECT_EQ(ParseNumeric("  -1.5E1  "), -15);
  EXPECT_EQ(ParseNumeric("2d+2"), 200);
  EXPECT_EQ(ConvertToLong(" 12.5 "), 12);
  EXPECT_EQ(ConvertToLong("13.5"), 14);
  EXPECT_EQ(ConvertToLong("-2147483648"), INT32_MIN);
  EXPECT_EQ(ConvertToLong("2147483647.4"), INT32_MAX);
  for (const char* big : {"2147483647.5", "-2147483649", "1e999", "abc"}) {
    EXPECT_THROW(ConvertToLong(big), Error) << big;
  }
  EXPECT_EQ(TextToLong("99999999999"), 0);
  for (const char* yes : {" TRUE ", "-1", "0.5"})
    EXPECT_TRUE(TextToBoolean(yes));
  for (const char* no : {"False", "0", "yes", ""})
    EXPECT_FALSE(TextToBoolean(no));
}

}  // namespace
}  // namespace orvanta
