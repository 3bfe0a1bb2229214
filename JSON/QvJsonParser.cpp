// Recursive-descent parsing of JSON text into QvJsonValue.
#include "QvJsonParser.h"

#include <array>
#include <bit>
#include <charconv>
#include <cstring>

#include "QvJsonSpecialBytes.h"

namespace {

constexpr std::array<bool, 256> kWhitespaceBytes = [] {
    std::array<bool, 256> table{};
    for (unsigned char c : {' ', '\t', '\n', '\v', '\f', '\r'}) {
        table[c] = true;
    }
    return table;
}();

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
    const void* zero = text.empty() ? nullptr : std::memchr(text.data(), 0, text.size());
    end_ = zero != nullptr ? static_cast<const char*>(zero) : text.data() + text.size();

    if (!scanValue()) {
        pendingValues_.clear();
        pendingMembers_.clear();
        return std::nullopt;
    }
    QvJsonValue value = std::move(pendingValues_.back());
    pendingValues_.clear();
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

void QvJsonParser::skipWhitespaceRun() {
    const char* p = c_;
    while (p < end_ && kWhitespaceBytes[static_cast<unsigned char>(*p)]) {
        ++p;
        // Indentation comes in long runs of spaces: find where it ends 8 bytes at a time.
        while (std::endian::native == std::endian::little && end_ - p >= 8) {
            uint64_t word;
            std::memcpy(&word, p, sizeof word);
            const uint64_t notSpace = word ^ QvJsonSpecialBytes::everyByte(' ');
            if (notSpace != 0) {
                p += std::countr_zero(notSpace) / 8;
                break;
            }
            p += 8;
        }
    }
    c_ = p;
}

bool QvJsonParser::scanValue() {
    skipWhitespace();
    if (c_ == end_) {
        addErrorWithCode(QvJsonErrorUnexpectedEnd, "Unexpected end of string");
        return false;
    }
    const char first = *c_++;
    switch (first) {
        case '{':
            return scanRestOfObject();
        case '[':
            return scanRestOfArray();
        case '"': {
            std::string text;
            if (!scanRestOfString(text)) {
                return false;
            }
            pendingValues_.emplace_back(std::move(text));
            return true;
        }
        case 't':
            return scanLiteral("rue", "Expected 'true'", QvJsonValue::fromBool(true));
        case 'f':
            return scanLiteral("alse", "Expected 'false'", QvJsonValue::fromBool(false));
        case 'n':
            return scanLiteral("ull", "Expected 'null'", QvJsonValue());
        case '+':
            addErrorWithCode(QvJsonErrorBadNumber, "Leading + disallowed in number");
            return false;
        default:
            if (first == '-' || (first >= '0' && first <= '9')) {
                --c_;
                return scanNumber();
            }
            addErrorWithCode(QvJsonErrorParse, "Unrecognised leading character");
            return false;
    }
}

bool QvJsonParser::scanLiteral(std::string_view rest, const char* message, QvJsonValue literal) {
    if (static_cast<size_t>(end_ - c_) < rest.size() ||
        std::memcmp(c_, rest.data(), rest.size()) != 0) {
        addErrorWithCode(QvJsonErrorParse, message);
        return false;
    }
    c_ += rest.size();
    pendingValues_.push_back(std::move(literal));
    return true;
}

bool QvJsonParser::scanNumber() {
    QvDecimal number;
    const QvDecimal::ScanResult result = QvDecimal::scan(c_, end_, number);
    c_ = result.end;
    if (result.status != QvDecimal::ScanStatus::Valid) {
        addErrorWithCode(QvJsonErrorBadNumber, numberMessage(result.status));
        return false;
    }
    pendingValues_.emplace_back(number);
    return true;
}

bool QvJsonParser::scanRestOfString(std::string& text) {
    for (;;) {
        const char* runEnd = QvJsonSpecialBytes::find(c_, end_);
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

bool QvJsonParser::scanRestOfObject() {
    if (!enterNesting()) {
        return false;
    }
    const size_t firstMember = pendingMembers_.size();
    while (c_ < end_) {
        skipWhitespace();
        if (c_ < end_ && *c_ == '}') {
            ++c_;
            leaveNesting();
            const auto first = pendingMembers_.begin() + static_cast<ptrdiff_t>(firstMember);
            QvJsonObject object(std::make_move_iterator(first),
                                std::make_move_iterator(pendingMembers_.end()));
            pendingMembers_.erase(first, pendingMembers_.end());
            pendingValues_.emplace_back(std::move(object));
            return true;
        }

        if (c_ == end_ || *c_ != '"') {
            addErrorWithCode(QvJsonErrorParse, "Object key string expected");
            return false;
        }
        ++c_;
        // The key is read straight into its pending member. Nested containers in the value stack
        // their members above it and take them off again, so it stays at this index.
        const size_t member = pendingMembers_.size();
        pendingMembers_.emplace_back();
        if (!scanRestOfString(pendingMembers_.back().key)) {
            addErrorWithCode(QvJsonErrorParse, "Object key string expected");
            return false;
        }

        skipWhitespace();
        if (c_ == end_ || *c_ != ':') {
            addErrorWithCode(QvJsonErrorParse, "Expected ':' separating key and value");
            return false;
        }
        ++c_;

        if (!scanValue()) {
            addErrorWithCode(QvJsonErrorParse,
                             "Object value expected for key: " + pendingMembers_[member].key);
            return false;
        }
        pendingMembers_[member].value = std::move(pendingValues_.back());
        pendingValues_.pop_back();

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

bool QvJsonParser::scanRestOfArray() {
    if (!enterNesting()) {
        return false;
    }
    const size_t firstElement = pendingValues_.size();
    while (c_ < end_) {
        skipWhitespace();
        if (c_ < end_ && *c_ == ']') {
            ++c_;
            leaveNesting();
            const auto first = pendingValues_.begin() + static_cast<ptrdiff_t>(firstElement);
            QvJsonArray array(std::make_move_iterator(first),
                              std::make_move_iterator(pendingValues_.end()));
            pendingValues_.erase(first, pendingValues_.end());
            pendingValues_.emplace_back(std::move(array));
            return true;
        }

        if (!scanValue()) {
            addErrorWithCode(QvJsonErrorParse, "Expected value while parsing array");
            return false;
        }

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
