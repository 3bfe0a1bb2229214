// Writing QvJsonValue as JSON text.
#include "QvJsonWriter.h"

#include <algorithm>

#include "QvJsonSpecialBytes.h"

namespace {

// The escaped form of a byte that cannot stand for itself in a string (see QvJsonSpecialBytes).
void appendEscaped(unsigned char byte, std::string& out) {
    switch (byte) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        default: {
            static constexpr char kHexDigits[] = "0123456789abcdef";
            const char unicodeEscape[] = {
                '\\', 'u', '0', '0', kHexDigits[byte >> 4], kHexDigits[byte & 0xF]};
            out.append(unicodeEscape, sizeof unicodeEscape);
        }
    }
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
    // A proxy is written as the value it supplies; one that supplies none cannot be written.
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
    out += '"';
    const char* p = text.data();
    const char* end = p + text.size();
    while (p < end) {
        const char* run = p;
        p = QvJsonSpecialBytes::find(p, end);
        out.append(run, p);
        if (p < end) {
            appendEscaped(static_cast<unsigned char>(*p), out);
            ++p;
        }
    }
    out += '"';
}

void QvJsonWriter::appendIndent(std::string& out) const {
    out += '\n';
    out.append(size_t{2} * depth_, ' ');
}
