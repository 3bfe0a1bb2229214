// Recursive-descent parsing of JSON text into QvJsonValue.
#include "QvJsonParser.h"

#include <array>
#include <charconv>
#include <cstring>

namespace {

// Bytes that end a plain run inside a string: the double quote, the backslash and the control
// bytes (the zero byte never occurs: the text is cut at its first one).
constexpr std::array<bool, 256> kStringStopBytes = [] {
    std::array<bool, 256> table{};
    for (int c = 0; c < 0x20; ++c) {
        table[static_cast<size_t>(c)] = true;
    }
    table['"'] = true;
    table['\\'] = true;
    return table;
}();

constexpr std::array<bool, 256> kWhitespaceBytes = [] {
    std::array<bool, 256> table{};
    for (unsigned char c : {' ', '\t', '\n', '\v', '\f', '\r'}) {
        table[c] = true;
    }
    return table;
}();

constexpr uint64_t kEveryByte(uint8_t b) {
    return 0x0101010101010101ULL * b;
}

// True when one of the 8 bytes in `word` is a string stop byte.
bool hasStopByte(uint64_t word) {
    const uint64_t high = kEveryByte(0x80);
    const uint64_t below0x20 = (word - kEveryByte(0x20)) & ~word;
    const uint64_t quote = word ^ kEveryByte('"');
    const uint64_t backslash = word ^ kEveryByte('\\');
    const uint64_t isQuote = (quote - kEveryByte(0x01)) & ~quote;
    const uint64_t isBackslash = (backslash - kEveryByte(0x01)) & ~backslash;
    return ((below0x20 | isQuote | isBackslash) & high) != 0;
}

// The end of the plain run that starts at p.
const char* plainRunEnd(const char* p, const char* end) {
    while (end - p >= 8) {
        uint64_t word;
        std::memcpy(&word, p, sizeof word);
        if (hasStopByte(word)) {
            break;
        }
        p += 8;
    }
    while (p < end && !kStringStopBytes[static_cast<unsigned char>(*p)]) {
        ++p;
    }
    return p;
}

void appendUtf8(std::string& text, uint32_t codePoint) {
    if (codePoint < 0x80) {
        text += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        text += static_cast<char>(0xC0 | (codePoint >> 6));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        text += static_cast<char>(0xE0 | (codePoint >> 12));
        text += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (codePoint >> 18));
        text += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

// "0x" and the byte in lower-case hexadecimal without leading zeros.
std::string hexByte(unsigned char byte) {
    char digits[4];
    char* digitsEnd = std::to_chars(digits, digits + sizeof digits, byte, 16).ptr;
    return "0x" + std::string(digits, digitsEnd);
}

const char* numberMessage(QvDecimal::ScanStatus status) {
    switch (status) {
        case QvDecimal::ScanStatus::LeadingZero:
            return "Leading 0 disallowed in number";
        case QvDecimal::ScanStatus::NoDigitsAfterMinus:
            return "No digits after initial minus";
        case QvDecimal::ScanStatus::NoDigitsAfterDecimalPoint:
            return "No digits after decimal point";
        case QvDecimal::ScanStatus::NoDigitsAfterExponent:
            return "No digits after exponent";
        case QvDecimal::ScanStatus::OutOfRange:
        case QvDecimal::ScanStatus::Valid:
            break;
    }
    return "Failed creating decimal instance";
}

}  // namespace

std::optional<QvJsonValue> QvJsonParser::fragmentWithString(std::string_view text) {
    clearErrorTrace();
    depth_ = 0;
    c_ = text.data();
    const void* zero = std::memchr(text.data(), 0, text.size());
    end_ = zero != nullptr ? static_cast<const char*>(zero) : text.data() + text.size();

    QvJsonValue value;
    const bool scanned = scanValue(value);
    pendingElements_.clear();
    pendingMembers_.clear();
    if (!scanned) {
        return std::nullopt;
    }
    skipWhitespace();
    if (c_ != end_) {
        addErrorWithCode(QvJsonErrorGarbage, "Garbage after JSON");
        return std::nullopt;
    }
    return value;
}

std::optional<QvJsonValue> QvJsonParser::fragmentWithString(const std::string* text) {
    if (text == nullptr) {
        clearErrorTrace();
        addErrorWithCode(QvJsonErrorNilInput, "Input was 'nil'");
        return std::nullopt;
    }
    return fragmentWithString(std::string_view(*text));
}

std::optional<QvJsonValue> QvJsonParser::objectWithString(std::string_view text) {
    std::optional<QvJsonValue> value = fragmentWithString(text);
    if (value && !value->isObject() && !value->isArray()) {
        addErrorWithCode(QvJsonErrorNotContainer, "Valid fragment, but not JSON");
        return std::nullopt;
    }
    return value;
}

std::optional<QvJsonValue> QvJsonParser::objectWithString(const std::string* text) {
    if (text == nullptr) {
        return fragmentWithString(text);
    }
    return objectWithString(std::string_view(*text));
}

void QvJsonParser::skipWhitespace() {
    while (c_ < end_ && kWhitespaceBytes[static_cast<unsigned char>(*c_)]) {
        ++c_;
    }
}

bool QvJsonParser::scanValue(QvJsonValue& value) {
    skipWhitespace();
    if (c_ == end_) {
        addErrorWithCode(QvJsonErrorUnexpectedEnd, "Unexpected end of string");
        return false;
    }
    const char first = *c_++;
    switch (first) {
        case '{':
            return scanRestOfObject(value);
        case '[':
            return scanRestOfArray(value);
        case '"': {
            std::string text;
            if (!scanRestOfString(text)) {
                return false;
            }
            value = QvJsonValue::fromString(std::move(text));
            return true;
        }
        case 't':
            value = QvJsonValue::fromBool(true);
            return scanLiteral("rue", "Expected 'true'");
        case 'f':
            value = QvJsonValue::fromBool(false);
            return scanLiteral("alse", "Expected 'false'");
        case 'n':
            value = QvJsonValue();
            return scanLiteral("ull", "Expected 'null'");
        case '+':
            addErrorWithCode(QvJsonErrorBadNumber, "Leading + disallowed in number");
            return false;
        default:
            if (first == '-' || (first >= '0' && first <= '9')) {
                --c_;
                return scanNumber(value);
            }
            addErrorWithCode(QvJsonErrorParse, "Unrecognised leading character");
            return false;
    }
}

bool QvJsonParser::scanLiteral(std::string_view rest, const char* message) {
    if (static_cast<size_t>(end_ - c_) < rest.size() ||
        std::memcmp(c_, rest.data(), rest.size()) != 0) {
        addErrorWithCode(QvJsonErrorParse, message);
        return false;
    }
    c_ += rest.size();
    return true;
}

bool QvJsonParser::scanNumber(QvJsonValue& value) {
    QvDecimal number;
    const QvDecimal::ScanResult result = QvDecimal::scan(c_, end_, number);
    c_ = result.end;
    if (result.status != QvDecimal::ScanStatus::Valid) {
        addErrorWithCode(QvJsonErrorBadNumber, numberMessage(result.status));
        return false;
    }
    value = QvJsonValue::fromNumber(number);
    return true;
}

bool QvJsonParser::scanRestOfString(std::string& text) {
    for (;;) {
        const char* runEnd = plainRunEnd(c_, end_);
        text.append(c_, runEnd);
        c_ = runEnd;
        const unsigned char stop = c_ < end_ ? static_cast<unsigned char>(*c_) : 0;
        if (stop == '"') {
            ++c_;
            return true;
        }
        if (stop != '\\') {
            addErrorWithCode(QvJsonErrorControlCharacter,
                             "Unescaped control character '" + hexByte(stop) + "'");
            return false;
        }
        ++c_;
        if (c_ == end_) {
            addErrorWithCode(QvJsonErrorIllegalEscape, "Illegal escape sequence '0x0'");
            return false;
        }
        const unsigned char escape = static_cast<unsigned char>(*c_++);
        switch (escape) {
            case '"':
            case '\\':
            case '/':
                text += static_cast<char>(escape);
                break;
            case 'b':
                text += '\b';
                break;
            case 'f':
                text += '\f';
                break;
            case 'n':
                text += '\n';
                break;
            case 'r':
                text += '\r';
                break;
            case 't':
                text += '\t';
                break;
            case 'u':
                if (!scanUnicodeEscape(text)) {
                    addErrorWithCode(QvJsonErrorBadUnicodeEscape, "Broken unicode character");
                    return false;
                }
                break;
            default:
                addErrorWithCode(QvJsonErrorIllegalEscape,
                                 "Illegal escape sequence '" + hexByte(escape) + "'");
                return false;
        }
        if (c_ >= end_) {
            addErrorWithCode(QvJsonErrorUnexpectedEnd, "Unexpected EOF while parsing string");
            return false;
        }
    }
}

bool QvJsonParser::scanHexQuad(uint32_t& unit) {
    unit = 0;
    for (int i = 0; i < 4; ++i) {
        const char digit = c_ < end_ ? *c_ : '\0';
        uint32_t nibble = 0;
        if (digit >= '0' && digit <= '9') {
            nibble = static_cast<uint32_t>(digit - '0');
        } else if (digit >= 'a' && digit <= 'f') {
            nibble = static_cast<uint32_t>(digit - 'a' + 10);
        } else if (digit >= 'A' && digit <= 'F') {
            nibble = static_cast<uint32_t>(digit - 'A' + 10);
        } else {
            addErrorWithCode(QvJsonErrorBadUnicodeEscape, "Missing hex digit in quad");
            addErrorWithCode(QvJsonErrorBadUnicodeEscape, "Missing hex quad");
            return false;
        }
        unit = unit * 16 + nibble;
        ++c_;
    }
    return true;
}

bool QvJsonParser::scanUnicodeEscape(std::string& text) {
    uint32_t unit = 0;
    if (!scanHexQuad(unit)) {
        return false;
    }
    if (unit >= 0xDC00 && unit <= 0xDFFF) {
        addErrorWithCode(QvJsonErrorBadUnicodeEscape, "Invalid high character in surrogate pair");
        return false;
    }
    if (unit < 0xD800 || unit > 0xDFFF) {
        appendUtf8(text, unit);
        return true;
    }
    if (end_ - c_ < 2 || c_[0] != '\\' || c_[1] != 'u') {
        addErrorWithCode(QvJsonErrorBadUnicodeEscape, "Missing low character in surrogate pair");
        return false;
    }
    c_ += 2;
    uint32_t low = 0;
    if (!scanHexQuad(low)) {
        return false;
    }
    if (low < 0xDC00 || low > 0xDFFF) {
        addErrorWithCode(QvJsonErrorBadUnicodeEscape, "Invalid low surrogate char");
        return false;
    }
    appendUtf8(text, 0x10000 + (unit - 0xD800) * 0x400 + (low - 0xDC00));
    return true;
}

bool QvJsonParser::scanRestOfObject(QvJsonValue& value) {
    if (!enterNesting()) {
        return false;
    }
    const size_t firstMember = pendingMembers_.size();
    while (c_ < end_) {
        skipWhitespace();
        if (c_ < end_ && *c_ == '}') {
            ++c_;
            leaveNesting();
            QvJsonObject object;
            object.reserve(pendingMembers_.size() - firstMember);
            for (size_t i = firstMember; i < pendingMembers_.size(); ++i) {
                object.set(std::move(pendingMembers_[i].key), std::move(pendingMembers_[i].value));
            }
            pendingMembers_.resize(firstMember);
            value = QvJsonValue(std::move(object));
            return true;
        }

        std::string key;
        if (c_ == end_ || *c_ != '"') {
            addErrorWithCode(QvJsonErrorParse, "Object key string expected");
            return false;
        }
        ++c_;
        if (!scanRestOfString(key)) {
            addErrorWithCode(QvJsonErrorParse, "Object key string expected");
            return false;
        }

        skipWhitespace();
        if (c_ == end_ || *c_ != ':') {
            addErrorWithCode(QvJsonErrorParse, "Expected ':' separating key and value");
            return false;
        }
        ++c_;

        QvJsonValue member;
        if (!scanValue(member)) {
            addErrorWithCode(QvJsonErrorParse, "Object value expected for key: " + key);
            return false;
        }
        pendingMembers_.push_back(QvJsonMember{std::move(key), std::move(member)});

        skipWhitespace();
        if (c_ < end_ && *c_ == ',') {
            ++c_;
            skipWhitespace();
            if (c_ < end_ && *c_ == '}') {
                addErrorWithCode(QvJsonErrorTrailingComma, "Trailing comma disallowed in object");
                return false;
            }
        }
    }
    addErrorWithCode(QvJsonErrorUnexpectedEnd, "End of input while parsing object");
    return false;
}

bool QvJsonParser::scanRestOfArray(QvJsonValue& value) {
    if (!enterNesting()) {
        return false;
    }
    const size_t firstElement = pendingElements_.size();
    while (c_ < end_) {
        skipWhitespace();
        if (c_ < end_ && *c_ == ']') {
            ++c_;
            leaveNesting();
            const auto first = pendingElements_.begin() + static_cast<ptrdiff_t>(firstElement);
            QvJsonArray array(std::make_move_iterator(first),
                              std::make_move_iterator(pendingElements_.end()));
            pendingElements_.erase(first, pendingElements_.end());
            value = QvJsonValue(std::move(array));
            return true;
        }

        QvJsonValue element;
        if (!scanValue(element)) {
            addErrorWithCode(QvJsonErrorParse, "Expected value while parsing array");
            return false;
        }
        pendingElements_.push_back(std::move(element));

        skipWhitespace();
        if (c_ < end_ && *c_ == ',') {
            ++c_;
            skipWhitespace();
            if (c_ < end_ && *c_ == ']') {
                addErrorWithCode(QvJsonErrorTrailingComma, "Trailing comma disallowed in array");
                return false;
            }
        }
    }
    addErrorWithCode(QvJsonErrorUnexpectedEnd, "End of input while parsing array");
    return false;
}
