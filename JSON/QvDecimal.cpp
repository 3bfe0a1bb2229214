// Reading, converting and writing exact decimal numbers.
#include "QvDecimal.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

constexpr uint64_t kSignificandLimit = std::numeric_limits<uint64_t>::max() / 10;
constexpr uint64_t kLastDigitLimit = std::numeric_limits<uint64_t>::max() % 10;
// Exponent digits beyond this are not accumulated further; the range check refuses them anyway.
constexpr int64_t kExponentSaturation = 1'000'000;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Eight digits at once fit while the significand stays below this.
constexpr uint64_t kEightDigitLimit =
    (std::numeric_limits<uint64_t>::max() - 99'999'999) / 100'000'000;

bool isEightDigits(uint64_t word) {
    return (word & 0xF0F0F0F0F0F0F0F0) == 0x3030303030303030 &&
           ((word + 0x0606060606060606) & 0xF0F0F0F0F0F0F0F0) == 0x3030303030303030;
}

// The value of eight ASCII digits loaded little-endian (first digit in the lowest byte).
uint64_t eightDigitsValue(uint64_t word) {
    word = ((word & 0x0F0F0F0F0F0F0F0F) * 2561) >> 8;
    word = ((word & 0x00FF00FF00FF00FF) * 6553601) >> 16;
    return ((word & 0x0000FFFF0000FFFF) * 42949672960001) >> 32;
}

// Accumulates significand digits; a digit that no longer fits must be a zero, which is dropped
// (after the decimal point) or moved into the exponent (before it).
struct DigitAccumulator {
    uint64_t significand = 0;
    int64_t exponentShift = 0;
    bool lostDigit = false;

    // Takes the run of digits at p; returns the first byte after it.
    const char* addDigits(const char* p, const char* end, bool afterPoint) {
        if constexpr (std::endian::native == std::endian::little) {
            while (end - p >= 8 && significand <= kEightDigitLimit) {
                uint64_t word;
                std::memcpy(&word, p, sizeof word);
                if (!isEightDigits(word)) {
                    break;
                }
                significand = significand * 100'000'000 + eightDigitsValue(word);
                exponentShift -= afterPoint ? 8 : 0;
                p += 8;
            }
        }
        for (; p < end && isDigit(*p); ++p) {
            add(static_cast<unsigned>(*p - '0'), afterPoint);
        }
        return p;
    }

    void add(unsigned digit, bool afterPoint) {
        if (significand < kSignificandLimit ||
            (significand == kSignificandLimit && digit <= kLastDigitLimit)) {
            significand = significand * 10 + digit;
            exponentShift -= afterPoint ? 1 : 0;
        } else if (digit != 0) {
            lostDigit = true;
        } else if (!afterPoint) {
            ++exponentShift;
        }
    }
};

constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

}  // namespace

QvDecimal QvDecimal::fromInteger(int64_t value) {
    QvDecimal number;
    number.negative_ = value < 0;
    // Negating in unsigned arithmetic keeps INT64_MIN exact.
    number.significand_ =
        number.negative_ ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    return number;
}

std::optional<QvDecimal> QvDecimal::fromText(std::string_view text) {
    QvDecimal number;
    const ScanResult result = scan(text.data(), text.data() + text.size(), number);
    if (result.status != ScanStatus::Valid || result.end != text.data() + text.size()) {
        return std::nullopt;
    }
    return number;
}

QvDecimal::ScanResult QvDecimal::scan(const char* begin, const char* end, QvDecimal& number) {
    const char* p = begin;
    const bool negative = p < end && *p == '-';
    if (negative) {
        ++p;
    }
    DigitAccumulator digits;
    if (p < end && *p == '0') {
        ++p;
        if (p < end && isDigit(*p)) {
            return {ScanStatus::LeadingZero, p};
        }
    } else if (p < end && isDigit(*p)) {
        p = digits.addDigits(p, end, false);
    } else {
        return {ScanStatus::NoDigitsAfterMinus, p};
    }

    if (p < end && *p == '.') {
        ++p;
        if (p == end || !isDigit(*p)) {
            return {ScanStatus::NoDigitsAfterDecimalPoint, p};
        }
        p = digits.addDigits(p, end, true);
    }

    int64_t writtenExponent = 0;
    if (p < end && (*p == 'e' || *p == 'E')) {
        ++p;
        bool exponentNegative = false;
        if (p < end && (*p == '-' || *p == '+')) {
            exponentNegative = *p == '-';
            ++p;
        }
        if (p == end || !isDigit(*p)) {
            return {ScanStatus::NoDigitsAfterExponent, p};
        }
        for (; p < end && isDigit(*p); ++p) {
            if (writtenExponent < kExponentSaturation) {
                writtenExponent = writtenExponent * 10 + (*p - '0');
            }
        }
        if (exponentNegative) {
            writtenExponent = -writtenExponent;
        }
    }

    if (digits.lostDigit) {
        return {ScanStatus::OutOfRange, p};
    }
    number.negative_ = negative;
    number.significand_ = digits.significand;
    if (digits.significand == 0) {
        number.exponent_ = 0;
        return {ScanStatus::Valid, p};
    }
    const int64_t exponent = writtenExponent + digits.exponentShift;
    if (exponent < kMinExponent || exponent > kMaxExponent) {
        return {ScanStatus::OutOfRange, p};
    }
    number.exponent_ = static_cast<int32_t>(exponent);
    return {ScanStatus::Valid, p};
}

std::optional<int64_t> QvDecimal::int64Value() const {
    uint64_t magnitude = significand_;
    if (magnitude != 0) {
        for (int32_t e = exponent_; e < 0; ++e) {
            if (magnitude % 10 != 0) {
                return std::nullopt;
            }
            magnitude /= 10;
        }
        for (int32_t e = exponent_; e > 0; --e) {
            if (magnitude > std::numeric_limits<uint64_t>::max() / 10) {
                return std::nullopt;
            }
            magnitude *= 10;
        }
    }
    constexpr uint64_t kMaxPositive = static_cast<uint64_t>(std::numeric_limits<int64_t>::max());
    if (negative_) {
        if (magnitude > kMaxPositive + 1) {
            return std::nullopt;
        }
        return static_cast<int64_t>(0 - magnitude);
    }
    if (magnitude > kMaxPositive) {
        return std::nullopt;
    }
    return static_cast<int64_t>(magnitude);
}

double QvDecimal::doubleValue() const {
    constexpr uint64_t kExactDoubleLimit = uint64_t{1} << 53;
    double magnitude = 0;
    if (significand_ <= kExactDoubleLimit && exponent_ >= -22 && exponent_ <= 22) {
        // Both factors are exact doubles, so one rounding gives the correctly rounded result.
        const double exact = static_cast<double>(significand_);
        magnitude = exponent_ < 0 ? exact / kExactPowersOfTen[-exponent_]
                                  : exact * kExactPowersOfTen[exponent_];
    } else {
        const std::string scientific =
            std::to_string(significand_) + 'e' + std::to_string(exponent_);
        const std::from_chars_result result =
            std::from_chars(scientific.data(), scientific.data() + scientific.size(), magnitude);
        if (result.ec == std::errc::result_out_of_range) {
            magnitude = exponent_ > 0 ? HUGE_VAL : 0.0;
        }
    }
    return negative_ ? -magnitude : magnitude;
}

std::string QvDecimal::text() const {
    std::string out;
    appendText(out);
    return out;
}

void QvDecimal::appendText(std::string& out) const {
    char digits[24];
    const char* digitsEnd = std::to_chars(digits, digits + sizeof digits, significand_).ptr;
    const std::string_view written(digits, static_cast<size_t>(digitsEnd - digits));
    const int64_t count = static_cast<int64_t>(written.size());
    // Where the decimal point falls, counted in digits from the left of the significand.
    const int64_t pointPosition = count + exponent_;

    if (negative_) {
        out += '-';
    }
    if (exponent_ == 0) {
        out += written;
    } else if (exponent_ > 0 && pointPosition <= 21) {
        out += written;
        out.append(static_cast<size_t>(exponent_), '0');
    } else if (exponent_ < 0 && pointPosition > 0) {
        out += written.substr(0, static_cast<size_t>(pointPosition));
        out += '.';
        out += written.substr(static_cast<size_t>(pointPosition));
    } else if (exponent_ < 0 && pointPosition > -6) {
        out += "0.";
        out.append(static_cast<size_t>(-pointPosition), '0');
        out += written;
    } else {
        out += written;
        out += 'e';
        char exponentText[12];
        out.append(exponentText,
                   std::to_chars(exponentText, exponentText + sizeof exponentText, exponent_).ptr);
    }
}

bool operator==(const QvDecimal& a, const QvDecimal& b) {
    if (a.significand_ == 0 || b.significand_ == 0) {
        return a.significand_ == b.significand_;
    }
    if (a.negative_ != b.negative_) {
        return false;
    }
    // Compare with trailing zeros of the significands folded into the exponents.
    uint64_t aSignificand = a.significand_;
    uint64_t bSignificand = b.significand_;
    int32_t aExponent = a.exponent_;
    int32_t bExponent = b.exponent_;
    while (aSignificand % 10 == 0) {
        aSignificand /= 10;
        ++aExponent;
    }
    while (bSignificand % 10 == 0) {
        bSignificand /= 10;
        ++bExponent;
    }
    return aSignificand == bSignificand && aExponent == bExponent;
}
