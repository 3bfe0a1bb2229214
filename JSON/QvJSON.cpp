// The four text operations and the QvJSON facade.
#include "QvJSON.h"

#include <iostream>

namespace {

void logFailure(const char* operation, const QvJsonErrorTrace& trace) {
    std::cerr << '-' << operation << " failed. Error trace is: " << QvJsonErrorTraceText(trace)
              << '\n';
}

}  // namespace

std::optional<QvJsonValue> JSONValue(std::string_view text) {
    QvJsonParser parser;
    std::optional<QvJsonValue> value = parser.objectWithString(text);
    if (!value) {
        logFailure("JSONValue", parser.errorTrace());
    }
    return value;
}

std::optional<QvJsonValue> JSONFragmentValue(std::string_view text) {
    QvJsonParser parser;
    std::optional<QvJsonValue> value = parser.fragmentWithString(text);
    if (!value) {
        logFailure("JSONFragmentValue", parser.errorTrace());
    }
    return value;
}

std::optional<std::string> JSONRepresentation(const QvJsonValue& value) {
    QvJsonWriter writer;
    std::optional<std::string> text = writer.stringWithObject(value);
    if (!text) {
        logFailure("JSONRepresentation", writer.errorTrace());
    }
    return text;
}

std::optional<std::string> JSONFragment(const QvJsonValue& value) {
    QvJsonWriter writer;
    std::optional<std::string> text = writer.stringWithFragment(value);
    if (!text) {
        logFailure("JSONFragment", writer.errorTrace());
    }
    return text;
}

QvJSON::QvJSON() {
    setMaxDepth(kDefaultMaxDepth);
}

void QvJSON::setMaxDepth(uint32_t maxDepth) {
    QvJsonBase::setMaxDepth(maxDepth);
    parser_.setMaxDepth(maxDepth);
    writer_.setMaxDepth(maxDepth);
}

std::optional<QvJsonValue> QvJSON::objectWithString(const std::string* text, bool allowScalar,
                                                    QvJsonError* error) {
    return finishParse(
        allowScalar ? parser_.fragmentWithString(text) : parser_.objectWithString(text), error);
}

std::optional<QvJsonValue> QvJSON::objectWithString(std::string_view text, QvJsonError* error) {
    return finishParse(parser_.objectWithString(text), error);
}

std::optional<QvJsonValue> QvJSON::objectWithString(const std::string* text, QvJsonError* error) {
    return objectWithString(text, false, error);
}

std::optional<QvJsonValue> QvJSON::fragmentWithString(std::string_view text, QvJsonError* error) {
    return finishParse(parser_.fragmentWithString(text), error);
}

std::optional<QvJsonValue> QvJSON::fragmentWithString(const std::string* text, QvJsonError* error) {
    return objectWithString(text, true, error);
}

std::optional<std::string> QvJSON::stringWithObject(const QvJsonValue& value, QvJsonError* error) {
    return finishWrite(writer_.stringWithObject(value), error);
}

std::optional<std::string> QvJSON::stringWithFragment(const QvJsonValue& value,
                                                      QvJsonError* error) {
    return finishWrite(writer_.stringWithFragment(value), error);
}

std::optional<QvJsonValue> QvJSON::finishParse(std::optional<QvJsonValue> value,
                                               QvJsonError* error) {
    if (!value) {
        keepErrorTrace(parser_.errorTrace(), error);
    }
    return value;
}

std::optional<std::string> QvJSON::finishWrite(std::optional<std::string> text,
                                               QvJsonError* error) {
    if (!text) {
        keepErrorTrace(writer_.errorTrace(), error);
    }
    return text;
}

void QvJSON::keepErrorTrace(const QvJsonErrorTrace& trace, QvJsonError* error) {
    replaceErrorTrace(trace);
    if (error != nullptr) {
        *error = trace.back();
    }
}
