// Tests of the lenient number reading, the strict conversions with ties to
// even and overflow, booleans and the number box check.
#include "common/conversions.h"

#include <gtest/gtest.h>

#include <cmath>

#include "common/error.h"

namespace orvanta {
namespace {

TEST(RoundHalfEvenTest, TiesGoToEven) {
  EXPECT_EQ(RoundHalfEven(12.5), 12);
  EXPECT_EQ(RoundHalfEven(13.5), 14);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
  EXPECT_EQ(RoundHalfEven(-3.5), -4);
  EXPECT_EQ(RoundHalfEven(2.4999), 2);
  EXPECT_EQ(RoundHalfEven(-0.6), -1);
}

TEST(ReadLeadingNumberTest, ReadsLikeTheLenientReader) {
  EXPECT_EQ(ReadLeadingNumber("12abc"), 12);
  EXPECT_EQ(ReadLeadingNumber("4000abc"), 4000);
  EXPECT_EQ(ReadLeadingNumber("abc"), 0);
  EXPECT_EQ(ReadLeadingNumber(""), 0);
  EXPECT_EQ(ReadLeadingNumber(" 1 2 3 "), 123);
  EXPECT_EQ(ReadLeadingNumber("\t- 4.5x"), -4.5);
  EXPECT_EQ(ReadLeadingNumber("1.2.3"), 1.2);
  EXPECT_EQ(ReadLeadingNumber(".5"), 0.5);
  EXPECT_EQ(ReadLeadingNumber("1E3"), 1000);
  EXPECT_EQ(ReadLeadingNumber("2d-1"), 0.2);
  EXPECT_EQ(ReadLeadingNumber("7e"), 7);
  EXPECT_EQ(ReadLeadingNumber("7e+"), 7);
  EXPECT_EQ(ReadLeadingNumber("--3"), 0);
  EXPECT_EQ(ReadLeadingNumber("1,000"), 1);
  EXPECT_EQ(ReadLeadingNumber("&H1F"), 31);
  EXPECT_EQ(ReadLeadingNumber("&HFFFF"), -1);
  EXPECT_EQ(ReadLeadingNumber("&o17"), 15);
  EXPECT_TRUE(std::isinf(ReadLeadingNumber("1e999")));
  EXPECT_EQ(ReadLeadingNumber("1e-999"), 0);
}

TEST(ParseNumericTest, WholeTextOnly) {
  EXPECT_EQ(ParseNumeric("  -12.5  "), -12.5);
  EXPECT_EQ(ParseNumeric("+3"), 3);
  EXPECT_EQ(ParseNumeric("1."), 1);
  EXPECT_EQ(ParseNumeric("2E2"), 200);
  EXPECT_FALSE(ParseNumeric("").has_value());
  EXPECT_FALSE(ParseNumeric(".").has_value());
  EXPECT_FALSE(ParseNumeric("12abc").has_value());
  EXPECT_FALSE(ParseNumeric("1 2").has_value());
  EXPECT_FALSE(ParseNumeric("1e").has_value());
  EXPECT_FALSE(ParseNumeric("1.2.3").has_value());
}

TEST(ConvertToLongTest, RoundsAndReportsFailures) {
  EXPECT_EQ(ConvertToLong(" 12.5 "), 12);
  EXPECT_EQ(ConvertToLong("13.5"), 14);
  EXPECT_EQ(ConvertToLong("-2147483648"), INT32_MIN);
  EXPECT_EQ(ConvertToLong("2147483647.4"), INT32_MAX);
  try {
    ConvertToLong("abc");
    FAIL() << "no error";
  } catch (const Error& error) {
    EXPECT_EQ(error.kind(), ErrorKind::kTypeMismatch);
    EXPECT_STREQ(error.what(), "Type mismatch");
  }
  for (const char* big : {"2147483647.5", "-2147483649", "1e300", "1e999"}) {
    try {
      ConvertToLong(big);
      FAIL() << big;
    } catch (const Error& error) {
      EXPECT_STREQ(error.what(), "Overflow") << big;
    }
  }
}

TEST(TextToLongTest, ZeroOnFailure) {
  EXPECT_EQ(TextToLong("12.5"), 12);
  EXPECT_EQ(TextToLong("abc"), 0);
  EXPECT_EQ(TextToLong("99999999999"), 0);
  EXPECT_EQ(TextToLong("-7"), -7);
}

TEST(TextToBooleanTest, WordsAndNumbers) {
  EXPECT_TRUE(TextToBoolean(" TRUE "));
  EXPECT_TRUE(TextToBoolean("true"));
  EXPECT_FALSE(TextToBoolean("False"));
  EXPECT_TRUE(TextToBoolean("-1"));
  EXPECT_TRUE(TextToBoolean("0.5"));
  EXPECT_FALSE(TextToBoolean("0"));
  EXPECT_FALSE(TextToBoolean("yes"));
  EXPECT_FALSE(TextToBoolean(""));
}

TEST(CheckboxTest, OnlyCheckedIsTrue) {
  EXPECT_TRUE(CheckboxToBoolean(kChecked));
  EXPECT_FALSE(CheckboxToBoolean(kUnchecked));
  EXPECT_FALSE(CheckboxToBoolean(kGrey));
  EXPECT_EQ(CheckboxFromBoolean(true), 1);
  EXPECT_EQ(CheckboxFromBoolean(false), 0);
}

TEST(ClampToRangeTest, OutOfRangeTakesTheFallback) {
  int32_t value = 0;
  EXPECT_EQ(ClampToRange(&value, 1, 1000, 4), 4);
  EXPECT_EQ(value, 4);
  value = 1000;
  EXPECT_EQ(ClampToRange(&value, 1, 1000, 4), 1000);
  value = 1001;
  EXPECT_EQ(ClampToRange(&value, 1, 1000, 4), 4);
}

TEST(ValidateTextBoxNumberTest, ResetsOnlyOutOfRangeBoxes) {
  std::string text = "4000abc";
  EXPECT_EQ(ValidateTextBoxNumber(&text, 10, 5000, 150), 4000);
  EXPECT_EQ(text, "4000abc");
  text = "9";
  EXPECT_EQ(ValidateTextBoxNumber(&text, 10, 5000, 150), 150);
  EXPECT_EQ(text, "150");
  text = "";
  EXPECT_EQ(ValidateTextBoxNumber(&text, 10, 5000, 150), 150);
  EXPECT_EQ(text, "150");
  text = "12.5";
  EXPECT_EQ(ValidateTextBoxNumber(&text, 10, 5000, 150), 12);
  text = "1e999";
  EXPECT_EQ(ValidateTextBoxNumber(&text, 1, 1000, 4), 4);
}

TEST(FormatNumberTest, PlainIntegersAndShortDecimals) {
  EXPECT_EQ(FormatNumber(12), "12");
  EXPECT_EQ(FormatNumber(-7), "-7");
  EXPECT_EQ(FormatNumber(-0.0), "0");
  EXPECT_EQ(FormatNumber(12.7), "12.7");
  EXPECT_EQ(FormatNumber(0.1 + 0.2), "0.3");
  EXPECT_EQ(FormatNumber(123456789012345.0), "123456789012345");
  EXPECT_EQ(FormatNumber(1e20), "1E+20");
  EXPECT_EQ(FormatNumber(1.5e-5), "1.5E-05");
}

}  // namespace
}  // namespace orvanta
