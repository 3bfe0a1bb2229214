// Writes a QvJsonValue as JSON text, compact or indented, with object keys in the object's own
// order or sorted, under the same error trace and nesting limit as the parser.
#pragma once

#include <optional>
#include <string>

#include "QvJsonBase.h"
#include "QvJsonValue.h"

class QvJsonWriter : public QvJsonBase {
public:
    // Only an object or an array; anything else fails with "Not valid type for JSON".
    std::optional<std::string> stringWithObject(const QvJsonValue& value);
    // Any value.
    std::optional<std::string> stringWithFragment(const QvJsonValue& value);

    bool sortKeys() const { return sortKeys_; }
    void setSortKeys(bool sortKeys) { sortKeys_ = sortKeys; }
    bool humanReadable() const { return humanReadable_; }
    void setHumanReadable(bool humanReadable) { humanReadable_ = humanReadable; }

private:
    bool appendValue(const QvJsonValue& value, std::string& out);
    bool appendDictionary(const QvJsonObject& object, std::string& out);
    bool appendArray(const QvJsonArray& array, std::string& out);
    static void appendString(const std::string& text, std::string& out);
    void appendIndent(std::string& out) const;

    bool sortKeys_ = false;
    bool humanReadable_ = false;
    size_t lastOutputSize_ = 0;
};
