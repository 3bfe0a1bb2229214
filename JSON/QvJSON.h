// The codec's entry points: the four text operations the program uses, and the facade QvJSON
// that owns one parser and one writer.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "QvJsonBase.h"
#include "QvJsonParser.h"
#include "QvJsonValue.h"
#include "QvJsonWriter.h"

// Text to an object or array; on failure logs "-JSONValue failed. Error trace is: ..." to
// standard error and returns absent.
std::optional<QvJsonValue> JSONValue(std::string_view text);
// Text to any value; logs "-JSONFragmentValue failed. Error trace is: ..." on failure.
std::optional<QvJsonValue> JSONFragmentValue(std::string_view text);
// An object or array to compact text; logs "-JSONRepresentation failed. ..." on failure.
std::optional<std::string> JSONRepresentation(const QvJsonValue& value);
// Any value to compact text; logs "-JSONFragment failed. ..." on failure.
std::optional<std::string> JSONFragment(const QvJsonValue& value);

// Parser and writer behind one object. On failure the facade keeps a copy of the failing
// component's error trace and, when `error` is given, stores the outermost error there.
class QvJSON : public QvJsonBase {
public:
    QvJSON();

    std::optional<QvJsonValue> objectWithString(std::string_view text, QvJsonError* error);
    std::optional<QvJsonValue> objectWithString(const std::string* text, QvJsonError* error);
    std::optional<QvJsonValue> fragmentWithString(std::string_view text, QvJsonError* error);
    std::optional<QvJsonValue> fragmentWithString(const std::string* text, QvJsonError* error);
    std::optional<QvJsonValue> objectWithString(const std::string* text, bool allowScalar,
                                                QvJsonError* error);

    std::optional<std::string> stringWithObject(const QvJsonValue& value, QvJsonError* error);
    std::optional<std::string> stringWithFragment(const QvJsonValue& value, QvJsonError* error);

    bool sortKeys() const { return writer_.sortKeys(); }
    void setSortKeys(bool sortKeys) { writer_.setSortKeys(sortKeys); }
    bool humanReadable() const { return writer_.humanReadable(); }
    void setHumanReadable(bool humanReadable) { writer_.setHumanReadable(humanReadable); }

    // Reads the parser's limit; sets both.
    uint32_t maxDepth() const override { return parser_.maxDepth(); }
    void setMaxDepth(uint32_t maxDepth) override;

private:
    // On failure, copy the component's trace and hand out its outermost error.
    std::optional<QvJsonValue> finishParse(std::optional<QvJsonValue> value, QvJsonError* error);
    std::optional<std::string> finishWrite(std::optional<std::string> text, QvJsonError* error);
    void keepErrorTrace(const QvJsonErrorTrace& trace, QvJsonError* error);

    QvJsonParser parser_;
    QvJsonWriter writer_;
};
