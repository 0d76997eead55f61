#include <gtest/gtest.h>

#include "base/RuntimeError.h"
#include "subtitle/NumberFields.h"
#include "support/RaisedError.h"

namespace tarvex {
namespace {

TEST(ParseInt16Field, WholeNumbersWithBlanksAndSign) {
    EXPECT_EQ(ParseInt16Field("07"), 7);
    EXPECT_EQ(ParseInt16Field(" 12\t"), 12);
    EXPECT_EQ(ParseInt16Field("-3"), -3);
    EXPECT_EQ(ParseInt16Field("32767"), 32767);
    EXPECT_EQ(ParseInt16Field("-32768"), -32768);
}

TEST(ParseInt16Field, MismatchAndOverflow) {
    EXPECT_EQ(test::NumberRaisedBy([] { ParseInt16Field(""); }), ErrorNumber::TypeMismatch);
    EXPECT_EQ(test::NumberRaisedBy([] { ParseInt16Field("1a"); }), ErrorNumber::TypeMismatch);
    EXPECT_EQ(test::NumberRaisedBy([] { ParseInt16Field("1.5"); }), ErrorNumber::TypeMismatch);
    EXPECT_EQ(test::NumberRaisedBy([] { ParseInt16Field("-"); }), ErrorNumber::TypeMismatch);
    EXPECT_EQ(test::NumberRaisedBy([] { ParseInt16Field("1 2"); }), ErrorNumber::TypeMismatch);
    EXPECT_EQ(test::NumberRaisedBy([] { ParseInt16Field("32768"); }), ErrorNumber::Overflow);
    EXPECT_EQ(test::NumberRaisedBy([] { ParseInt16Field("99999999999999999999"); }), ErrorNumber::Overflow);
}

TEST(ParseMillisField, CommaOrPeriodAndHalfEvenRounding) {
    EXPECT_EQ(ParseMillisField("05,250"), 5250);
    EXPECT_EQ(ParseMillisField("05.250"), 5250);
    EXPECT_EQ(ParseMillisField("10,5"), 10500);
    EXPECT_EQ(ParseMillisField("7"), 7000);
    EXPECT_EQ(ParseMillisField(",5"), 500);
    EXPECT_EQ(ParseMillisField("1,0005"), 1000);  // tie to even
    EXPECT_EQ(ParseMillisField("1,0015"), 1002);  // tie to even
    EXPECT_EQ(ParseMillisField("1,00050001"), 1001);
    EXPECT_EQ(ParseMillisField("1,9996"), 2000);
    EXPECT_EQ(ParseMillisField("-1,5"), -1500);
    EXPECT_EQ(ParseMillisField(" 02,000 "), 2000);
}

TEST(ParseMillisField, MismatchAndOverflow) {
    EXPECT_EQ(test::NumberRaisedBy([] { ParseMillisField(""); }), ErrorNumber::TypeMismatch);
    EXPECT_EQ(test::NumberRaisedBy([] { ParseMillisField(","); }), ErrorNumber::TypeMismatch);
    EXPECT_EQ(test::NumberRaisedBy([] { ParseMillisField("1,2,3"); }), ErrorNumber::TypeMismatch);
    EXPECT_EQ(test::NumberRaisedBy([] { ParseMillisField("1;2"); }), ErrorNumber::TypeMismatch);
    EXPECT_EQ(test::NumberRaisedBy([] { ParseMillisField("99999999999999999999"); }), ErrorNumber::Overflow);
}

}  // namespace
}  // namespace tarvex
