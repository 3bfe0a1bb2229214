// An exact decimal number: sign, unsigned 64-bit significand and base-10 exponent. Parsed JSON
// numbers are kept in this form so that the value written in the text is never rounded.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The value is (-1)^negative × significand × 10^exponent.
//
// Range: the significand holds up to 19 significant digits (any value below 2^64), the exponent
// lies in [kMinExponent, kMaxExponent]. Trailing zeros beyond the significand's reach are folded
// into the exponent, so "1.5000000000000000000000" and "100000000000000000000000" still fit; a
// text with more significant digits than that, or an exponent beyond the range, makes no value.
// Zero keeps its sign ("-0" is written back as "-0") but compares equal to 0.
class QvDecimal {
public:
    static constexpr int32_t kMinExponent = -1000;
    static constexpr int32_t kMaxExponent = 1000;

    // How reading a number text ended. Everything but Valid is a reason the text is refused.
    enum class ScanStatus {
        Valid,
        LeadingZero,
        NoDigitsAfterMinus,
        NoDigitsAfterDecimalPoint,
        NoDigitsAfterExponent,
        OutOfRange,
    };

    struct ScanResult {
        ScanStatus status;
        const char* end;  // first byte after the number text that was read
    };

    QvDecimal() = default;  // zero

    static QvDecimal fromInteger(int64_t value);
    // The whole text must be one JSON number ("-12.5e3"); absent otherwise or beyond the range.
    static std::optional<QvDecimal> fromText(std::string_view text);
    // Reads the longest JSON number at the start of [begin, end) into `number`; `number` is
    // meaningful only when the status is Valid.
    static ScanResult scan(const char* begin, const char* end, QvDecimal& number);

    bool isNegative() const { return negative_; }
    uint64_t significand() const { return significand_; }
    int32_t exponent() const { return exponent_; }

    // Only when the value is an integer (1.0 and 1e2 are) that fits in 64 bits.
    std::optional<int64_t> int64Value() const;
    // The nearest double (correctly rounded).
    double doubleValue() const;
    // JSON number text of the value: integers as plain digits, other values as a plain decimal
    // fraction while short, else as significand digits with an "e" exponent.
    std::string text() const;
    void appendText(std::string& out) const;

    friend bool operator==(const QvDecimal& a, const QvDecimal& b);

private:
    uint64_t significand_ = 0;
    int32_t exponent_ = 0;
    bool negative_ = false;
};
