// The spin edit's values: clamping, formatting, parsing and the typing filter.
#include "components/LxSpinValue.h"

#include <gtest/gtest.h>

TEST(SpinEdit, ClampFormatAndParse) {
  EXPECT_EQ(SpinClamp(150, 0, 100), 100);
  EXPECT_EQ(SpinClamp(-3, 0, 100), 0);
  EXPECT_EQ(SpinClamp(12345, 0, 0), 12345);
  EXPECT_EQ(SpinFormat(100, 0, '.'), "100");
  EXPECT_EQ(SpinFormat(2.5, 0, '.'), "3");
  EXPECT_EQ(SpinFormat(-2.5, 2, ','), "-2,50");
  EXPECT_EQ(SpinFormat(1.23456789, 8, '.'), "1.23456800");  // seven significant digits
  EXPECT_EQ(SpinFormat(0.006, 2, '.'), "0.01");
  EXPECT_EQ(SpinFormat(0.0004, 2, '.'), "0.00");
  EXPECT_EQ(SpinFormat(-0.0004, 2, '.'), "0.00");
  EXPECT_EQ(SpinFormat(99.96, 1, '.'), "100.0");
  EXPECT_EQ(SpinFormat(0, 3, '.'), "0.000");
  EXPECT_EQ(SpinFormat(12345678, 0, '.'), "1.234568E+007");
  EXPECT_EQ(SpinParse("42", '.'), 42);
  EXPECT_EQ(SpinParse(" -1,5 ", ','), -1.5L);
  EXPECT_EQ(SpinParse("1e3", '.'), 1000);
  EXPECT_FALSE(SpinParse("", '.'));
  EXPECT_FALSE(SpinParse("1.5", ','));
  EXPECT_FALSE(SpinParse("abc", '.'));
  EXPECT_FALSE(SpinParse("1e", '.'));
  EXPECT_FALSE(SpinParse("-", '.'));
}

TEST(SpinEdit, TypingFilter) {
  // Default: only control characters other than Enter and Backspace pass.
  EXPECT_FALSE(SpinAcceptsChar('5', true, false, '.'));
  EXPECT_FALSE(SpinAcceptsChar('\b', true, false, '.'));
  EXPECT_TRUE(SpinAcceptsChar('\x03', true, false, '.'));
  EXPECT_FALSE(SpinAcceptsChar('\r', true, false, '.'));
  // Key editing allowed: digits and signs, the separator only for decimals.
  EXPECT_TRUE(SpinAcceptsChar('5', true, true, '.'));
  EXPECT_TRUE(SpinAcceptsChar('-', true, true, '.'));
  EXPECT_TRUE(SpinAcceptsChar('\b', true, true, '.'));
  EXPECT_FALSE(SpinAcceptsChar('.', true, true, '.'));
  EXPECT_TRUE(SpinAcceptsChar('.', false, true, '.'));
  EXPECT_TRUE(SpinAcceptsChar(',', false, true, ','));
  EXPECT_FALSE(SpinAcceptsChar('a', false, true, '.'));
}
