// Writing QvJsonValue as JSON text.
#include "QvJsonWriter.h"

#include "QvJsonSpecialBytes.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

// How each byte below 0x20, the double quote and the backslash are written; empty for bytes
// written as themselves.
const std::array<std::string_view, 256>& escapeTable() {
    static const std::array<std::string_view, 256> table = [] {
        static char unicodeEscapes[0x20][7];
        std::array<std::string_view, 256> escapes{};
        for (unsigned c = 0; c < 0x20; ++c) {
            static constexpr char kHex[] = "0123456789abcdef";
            char* text = unicodeEscapes[c];
            std::memcpy(text, "\\u00", 4);
            text[4] = kHex[c >> 4];
            text[5] = kHex[c & 0xF];
            escapes[c] = std::string_view(text, 6);
        }
        escapes['"'] = "\\\"";
        escapes['\\'] = "\\\\";
        escapes['\t'] = "\\t";
        escapes['\n'] = "\\n";
        escapes['\r'] = "\\r";
        escapes['\b'] = "\\b";
        escapes['\f'] = "\\f";
        return escapes;
    }();
    return table;
}

}  // namespace

std::optional<std::string> QvJsonWriter::stringWithObject(const QvJsonValue& value) {
    if (value.isObject() || value.isArray()) {
        return stringWithFragment(value);
    }
    clearErrorTrace();
    addErrorWithCode(QvJsonErrorNotContainer, "Not valid type for JSON");
    return std::nullopt;
}

std::optional<std::string> QvJsonWriter::stringWithFragment(const QvJsonValue& value) {
    clearErrorTrace();
    depth_ = 0;
    std::string out;
    // A writer that is reused mostly writes texts of similar size; starting at the size of the
    // last one saves growing the output step by step.
    out.reserve(std::max<size_t>(128, lastOutputSize_));
    if (!appendValue(value, out)) {
        return std::nullopt;
    }
    lastOutputSize_ = out.size();
    return out;
}

bool QvJsonWriter::appendValue(const QvJsonValue& value, std::string& out) {
    switch (value.kind()) {
        case QvJsonValue::Kind::Object:
            return appendDictionary(*value.asObject(), out);
        case QvJsonValue::Kind::Array:
            return appendArray(*value.asArray(), out);
        case QvJsonValue::Kind::String:
            appendString(*value.asString(), out);
            return true;
        case QvJsonValue::Kind::Boolean:
            out += *value.asBool() ? "true" : "false";
            return true;
        case QvJsonValue::Kind::Number:
            value.asNumber()->appendText(out);
            return true;
        case QvJsonValue::Kind::Null:
            out += "null";
            return true;
        case QvJsonValue::Kind::Proxy:
            break;
    }
    const QvJsonProxy* proxy = value.asProxy();
    std::optional<QvJsonValue> replacement;
    if (proxy != nullptr) {
        replacement = proxy->proxyForJson();
    }
    if (replacement) {
        return appendValue(*replacement, out);
    }
    addErrorWithCode(QvJsonErrorUnsupportedValue,
                     "JSON serialisation not supported for " +
                         (proxy != nullptr ? proxy->typeName() : std::string("null proxy")));
    return false;
}

// Keys are std::string by construction, so the "JSON object key must be string" failure of a
// weakly typed map cannot arise here.
bool QvJsonWriter::appendDictionary(const QvJsonObject& object, std::string& out) {
    if (!enterNesting()) {
        return false;
    }
    out += '{';
    const std::string_view separator = humanReadable_ ? " : " : ":";
    bool first = true;
    const auto appendMember = [&](const QvJsonMember& member) {
        if (!first) {
            out += ',';
        }
        first = false;
        if (humanReadable_) {
            appendIndent(out);
        }
        appendString(member.key, out);
        out += separator;
        if (!appendValue(member.value, out)) {
            addErrorWithCode(QvJsonErrorUnsupportedValue,
                             "Unsupported value for key " + member.key + " in object");
            return false;
        }
        return true;
    };

    if (sortKeys_) {
        std::vector<const QvJsonMember*> sorted;
        sorted.reserve(object.size());
        for (const QvJsonMember& member : object) {
            sorted.push_back(&member);
        }
        std::sort(sorted.begin(), sorted.end(),
                  [](const QvJsonMember* a, const QvJsonMember* b) { return a->key < b->key; });
        for (const QvJsonMember* member : sorted) {
            if (!appendMember(*member)) {
                return false;
            }
        }
    } else {
        for (const QvJsonMember& member : object) {
            if (!appendMember(member)) {
                return false;
            }
        }
    }

    leaveNesting();
    if (humanReadable_ && !object.empty()) {
        appendIndent(out);
    }
    out += '}';
    return true;
}

bool QvJsonWriter::appendArray(const QvJsonArray& array, std::string& out) {
    if (!enterNesting()) {
        return false;
    }
    out += '[';
    bool first = true;
    for (const QvJsonValue& element : array) {
        if (!first) {
            out += ',';
        }
        first = false;
        if (humanReadable_) {
            appendIndent(out);
        }
        if (!appendValue(element, out)) {
            return false;
        }
    }
    leaveNesting();
    if (humanReadable_ && !array.empty()) {
        appendIndent(out);
    }
    out += ']';
    return true;
}

void QvJsonWriter::appendString(const std::string& text, std::string& out) {
    const std::array<std::string_view, 256>& escapes = escapeTable();
    out += '"';
    const char* p = text.data();
    const char* end = p + text.size();
    while (p < end) {
        const char* run = p;
        p = QvJsonSpecialBytes::find(p, end);
        out.append(run, p);
        if (p < end) {
            out += escapes[static_cast<unsigned char>(*p)];
            ++p;
        }
    }
    out += '"';
}

void QvJsonWriter::appendIndent(std::string& out) const {
    out += '\n';
    out.append(size_t{2} * depth_, ' ');
}
