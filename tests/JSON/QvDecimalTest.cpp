// Exact decimal numbers: reading number text, range limits, conversions and equality.
#include "QvDecimal.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

QvDecimal decimal(std::string_view text) {
    std::optional<QvDecimal> number = QvDecimal::fromText(text);
    EXPECT_TRUE(number.has_value()) << text;
    return number.value_or(QvDecimal());
}

TEST(QvDecimal, KeepsTheWrittenValueExactly) {
    EXPECT_EQ(decimal("1.50"), decimal("1.5"));
    EXPECT_EQ(decimal("0.5e-3"), decimal("5e-4"));
    EXPECT_EQ(decimal("0.5e-3").text(), "0.0005");
    EXPECT_EQ(decimal("-12.345").text(), "-12.345");
    EXPECT_EQ(decimal("1E+2"), QvDecimal::fromInteger(100));
    // 0.1 + 0.2 style values keep every digit instead of the nearest binary fraction.
    EXPECT_EQ(decimal("0.30000000000000004").text(), "0.30000000000000004");
    EXPECT_FALSE(decimal("0.1") == decimal("0.10000000000000001"));
    EXPECT_EQ(decimal("-0"), decimal("0"));
    EXPECT_EQ(decimal("-0").text(), "-0");
    EXPECT_FALSE(decimal("-1") == decimal("1"));
}

// Digits are read eight at a time while the significand has room: runs of every length around
// that step, with and without a fraction, must give the same value as reading digit by digit.
TEST(QvDecimal, ReadsLongDigitRunsExactly) {
    const std::string digits = "12345678901234567890";
    for (size_t length = 1; length <= 19; ++length) {
        const std::string run = digits.substr(0, length);
        const uint64_t expected = std::stoull(run);
        const QvDecimal integer = decimal(run);
        EXPECT_EQ(integer.significand(), expected) << run;
        EXPECT_EQ(integer.exponent(), 0) << run;
        const QvDecimal fraction = decimal("0." + run);
        EXPECT_EQ(fraction.significand(), expected) << run;
        EXPECT_EQ(fraction.exponent(), -static_cast<int32_t>(length)) << run;
        if (length >= 2) {
            const size_t point = length / 2;
            const QvDecimal split = decimal(run.substr(0, point) + "." + run.substr(point));
            EXPECT_EQ(split.significand(), expected) << run;
            EXPECT_EQ(split.exponent(), -static_cast<int32_t>(length - point)) << run;
        }
    }
    EXPECT_EQ(decimal("0.00000000000000000000000001").text(), "1e-26");

    const std::string_view stopped = "123456789012x4";
    QvDecimal number;
    const QvDecimal::ScanResult result =
        QvDecimal::scan(stopped.data(), stopped.data() + stopped.size(), number);
    EXPECT_EQ(result.status, QvDecimal::ScanStatus::Valid);
    EXPECT_EQ(result.end, stopped.data() + 12);
    EXPECT_EQ(number.significand(), 123456789012u);
}

TEST(QvDecimal, SixtyFourBitIntegersRoundTrip) {
    for (int64_t value : {std::numeric_limits<int64_t>::min(), std::numeric_limits<int64_t>::max(),
                          int64_t{0}, int64_t{-1}, int64_t{9007199254740993}}) {
        const QvDecimal number = QvDecimal::fromInteger(value);
        EXPECT_EQ(decimal(number.text()).int64Value(), value);
    }
    EXPECT_EQ(decimal("2.0").int64Value(), 2);
    EXPECT_EQ(decimal("12e3").int64Value(), 12000);
    EXPECT_EQ(decimal("2.5").int64Value(), std::nullopt);
    EXPECT_EQ(decimal("9223372036854775808").int64Value(), std::nullopt);
    EXPECT_EQ(decimal("-9223372036854775809").int64Value(), std::nullopt);
    EXPECT_EQ(decimal("1e19").int64Value(), std::nullopt);
}

TEST(QvDecimal, RefusesTextBeyondItsRange) {
    EXPECT_TRUE(QvDecimal::fromText("18446744073709551615"));
    EXPECT_FALSE(QvDecimal::fromText("18446744073709551616"));
    EXPECT_FALSE(QvDecimal::fromText("1.00000000000000000001"));
    EXPECT_FALSE(QvDecimal::fromText("1e1001"));
    EXPECT_FALSE(QvDecimal::fromText("1e-1001"));
    EXPECT_FALSE(QvDecimal::fromText("1e99999999999999999999"));
    // Zeros past the significand's reach are not significant and still fit.
    EXPECT_EQ(decimal("1.500000000000000000000000"), decimal("1.5"));
    EXPECT_EQ(decimal("100000000000000000000000"), decimal("1e23"));
    EXPECT_EQ(decimal("0e99999"), decimal("0"));
}

TEST(QvDecimal, RefusesTextThatIsNotOneNumber) {
    for (const char* text : {"", "-", "01", "1.", ".5", "1e", "1e+", "+1", "1 ", "1x", "0x10"}) {
        EXPECT_FALSE(QvDecimal::fromText(text)) << text;
    }
}

TEST(QvDecimal, ConvertsToTheNearestDouble) {
    EXPECT_EQ(decimal("0.1").doubleValue(), 0.1);
    EXPECT_EQ(decimal("-65.613616999999977").doubleValue(), -65.613616999999977);
    EXPECT_EQ(decimal("1.7976931348623157e308").doubleValue(), 1.7976931348623157e308);
    EXPECT_EQ(decimal("4.9406564584124654e-324").doubleValue(), 4.9406564584124654e-324);
    EXPECT_EQ(decimal("12345678901234567891e-5").doubleValue(), 123456789012345.67891);
    EXPECT_EQ(decimal("1e400").doubleValue(), std::numeric_limits<double>::infinity());
    EXPECT_EQ(decimal("1e-400").doubleValue(), 0.0);
}

TEST(QvDecimal, WritesTextThatReadsBackToTheSameValue) {
    for (const char* text : {"0", "7", "-3.25", "1e21", "1e22", "123e30", "1.5e-7", "0.000001",
                             "-987654321.123456789", "18446744073709551615e-1000", "1e1000"}) {
        const QvDecimal number = decimal(text);
        EXPECT_EQ(decimal(number.text()), number) << text << " -> " << number.text();
    }
    EXPECT_EQ(decimal("1e20").text(), "100000000000000000000");
    EXPECT_EQ(decimal("1e21").text(), "1e21");
    EXPECT_EQ(decimal("1.5e-7").text(), "15e-8");
}

}  // namespace
