// The JSON value model shared by the parser, the writer and every caller: null, boolean, exact
// decimal number, UTF-8 string, array and object, plus a proxy kind for caller-defined values that
// turn themselves into JSON when written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "QvDecimal.h"

class QvJsonValue;
class QvJsonProxy;
struct QvJsonMember;

using QvJsonArray = std::vector<QvJsonValue>;

// A map from string keys to values. Keys are std::string by type, so an object can never hold a
// key the writer would have to refuse. Members keep the order in which their keys were first set;
// setting a key again replaces its value in place. Iteration yields QvJsonMember (`.key`,
// `.value`). Lookups are linear while the object is small and go through a hash index once it
// grows, so building an object of n members costs O(n) whatever the keys are.
class QvJsonObject {
public:
    using const_iterator = std::vector<QvJsonMember>::const_iterator;

    QvJsonObject();
    // Members in order; a repeated key replaces the value of its first occurrence.
    QvJsonObject(std::move_iterator<std::vector<QvJsonMember>::iterator> first,
                 std::move_iterator<std::vector<QvJsonMember>::iterator> last);
    ~QvJsonObject();
    QvJsonObject(const QvJsonObject& other);
    QvJsonObject(QvJsonObject&& other) noexcept;
    QvJsonObject& operator=(const QvJsonObject& other);
    QvJsonObject& operator=(QvJsonObject&& other) noexcept;

    void set(std::string key, QvJsonValue value);
    const QvJsonValue* find(std::string_view key) const;
    QvJsonValue* find(std::string_view key);
    size_t size() const;
    bool empty() const;
    void reserve(size_t count);

    const_iterator begin() const;
    const_iterator end() const;

    // Same keys with equal values; member order is ignored.
    friend bool operator==(const QvJsonObject& a, const QvJsonObject& b);

private:
    struct KeyIndex;

    void add(QvJsonMember&& member);
    size_t indexOf(std::string_view key) const;  // size() when absent
    void addToIndex(size_t memberIndex);
    void rebuildIndex();

    std::vector<QvJsonMember> members_;
    std::unique_ptr<KeyIndex> index_;  // only for large objects
};

class QvJsonValue {
public:
    // Proxy: a caller-defined value that the writer asks for a JSON value to write in its place.
    enum class Kind { Null, Boolean, Number, String, Array, Object, Proxy };

    QvJsonValue() = default;  // null
    QvJsonValue(QvJsonArray array);
    QvJsonValue(QvJsonObject object);
    explicit QvJsonValue(QvDecimal number);
    explicit QvJsonValue(std::string text);

    static QvJsonValue fromBool(bool value);
    static QvJsonValue fromInteger(int64_t value);
    static QvJsonValue fromNumber(QvDecimal value);
    static QvJsonValue fromString(std::string value);
    static QvJsonValue fromProxy(std::shared_ptr<const QvJsonProxy> proxy);

    Kind kind() const { return static_cast<Kind>(storage_.index()); }
    bool isNull() const { return kind() == Kind::Null; }
    bool isBool() const { return kind() == Kind::Boolean; }
    bool isNumber() const { return kind() == Kind::Number; }
    bool isString() const { return kind() == Kind::String; }
    bool isArray() const { return kind() == Kind::Array; }
    bool isObject() const { return kind() == Kind::Object; }
    bool isProxy() const { return kind() == Kind::Proxy; }

    // Typed access: empty (nullopt or nullptr) when the value is of another kind.
    std::optional<bool> asBool() const;
    const QvDecimal* asNumber() const;
    std::optional<int64_t> asInteger() const;  // a number that is an exact 64-bit integer
    const std::string* asString() const;
    std::string* asString();
    const QvJsonArray* asArray() const;
    QvJsonArray* asArray();
    const QvJsonObject* asObject() const;
    QvJsonObject* asObject();
    const QvJsonProxy* asProxy() const;

    // Element or member, or a shared null value when this is not an array (object), the index is
    // out of range or the key is missing, so chains like reply[0]["name"] never fail.
    const QvJsonValue& operator[](size_t index) const;
    // A literal index such as reply[0] would otherwise be ambiguous with the key overloads.
    const QvJsonValue& operator[](int index) const;
    const QvJsonValue& operator[](std::string_view key) const;
    const QvJsonValue& operator[](const char* key) const { return (*this)[std::string_view(key)]; }

    // Deep equality: numbers by value, object members in any order, proxies by identity.
    friend bool operator==(const QvJsonValue& a, const QvJsonValue& b);

private:
    // Alternatives in the order of Kind.
    using Storage = std::variant<std::monostate, bool, QvDecimal, std::string, QvJsonArray,
                                 QvJsonObject, std::shared_ptr<const QvJsonProxy>>;
    Storage storage_;
};

struct QvJsonMember {
    std::string key;
    QvJsonValue value;
};

// Implemented by callers whose objects are written as JSON without being JSON values themselves.
class QvJsonProxy {
public:
    virtual ~QvJsonProxy() = default;
    // The value to write in this object's place, or absent when it has none.
    virtual std::optional<QvJsonValue> proxyForJson() const = 0;
    // The name used in the writer's "JSON serialisation not supported for %@" error.
    virtual std::string typeName() const = 0;
};
