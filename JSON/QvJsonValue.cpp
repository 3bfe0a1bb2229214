// The JSON value model: construction, typed access, lookup and deep equality.
#include "QvJsonValue.h"

#include <algorithm>
#include <cstring>
#include <functional>

namespace {

// Objects up to this size are searched member by member; larger ones get a hash index.
constexpr size_t kLinearSearchLimit = 32;
constexpr uint32_t kEmptySlot = UINT32_MAX;

size_t hashKey(std::string_view key) {
    return std::hash<std::string_view>{}(key);
}

const QvJsonValue& sharedNull() {
    static const QvJsonValue null;
    return null;
}

}  // namespace

// Open addressing over member indices; the table is kept at most half full.
struct QvJsonObject::KeyIndex {
    std::vector<uint32_t> slots;
    size_t mask() const { return slots.size() - 1; }
};

QvJsonObject::QvJsonObject() = default;
QvJsonObject::~QvJsonObject() = default;
QvJsonObject::QvJsonObject(QvJsonObject&& other) noexcept = default;
QvJsonObject& QvJsonObject::operator=(QvJsonObject&& other) noexcept = default;

QvJsonObject::QvJsonObject(std::move_iterator<std::vector<QvJsonMember>::iterator> first,
                           std::move_iterator<std::vector<QvJsonMember>::iterator> last) {
    members_.reserve(static_cast<size_t>(last - first));
    for (; first != last; ++first) {
        add(*first);
    }
}

QvJsonObject::QvJsonObject(const QvJsonObject& other) : members_(other.members_) {
    if (other.index_) {
        index_ = std::make_unique<KeyIndex>(*other.index_);
    }
}

QvJsonObject& QvJsonObject::operator=(const QvJsonObject& other) {
    if (this != &other) {
        QvJsonObject copy(other);
        *this = std::move(copy);
    }
    return *this;
}

void QvJsonObject::set(std::string key, QvJsonValue value) {
    add(QvJsonMember{std::move(key), std::move(value)});
}

void QvJsonObject::add(QvJsonMember&& member) {
    const size_t existing = indexOf(member.key);
    if (existing != members_.size()) {
        members_[existing].value = std::move(member.value);
        return;
    }
    members_.push_back(std::move(member));
    if (index_) {
        addToIndex(members_.size() - 1);
    } else if (members_.size() > kLinearSearchLimit) {
        rebuildIndex();
    }
}

const QvJsonValue* QvJsonObject::find(std::string_view key) const {
    const size_t found = indexOf(key);
    return found == members_.size() ? nullptr : &members_[found].value;
}

QvJsonValue* QvJsonObject::find(std::string_view key) {
    const size_t found = indexOf(key);
    return found == members_.size() ? nullptr : &members_[found].value;
}

size_t QvJsonObject::size() const {
    return members_.size();
}
bool QvJsonObject::empty() const {
    return members_.empty();
}
void QvJsonObject::reserve(size_t count) {
    members_.reserve(count);
}
QvJsonObject::const_iterator QvJsonObject::begin() const {
    return members_.begin();
}
QvJsonObject::const_iterator QvJsonObject::end() const {
    return members_.end();
}

size_t QvJsonObject::indexOf(std::string_view key) const {
    if (!index_) {
        for (size_t i = 0; i < members_.size(); ++i) {
            const std::string& candidate = members_[i].key;
            if (candidate.size() == key.size() &&
                (key.empty() || std::memcmp(candidate.data(), key.data(), key.size()) == 0)) {
                return i;
            }
        }
        return members_.size();
    }
    const size_t mask = index_->mask();
    for (size_t slot = hashKey(key) & mask;; slot = (slot + 1) & mask) {
        const uint32_t member = index_->slots[slot];
        if (member == kEmptySlot) {
            return members_.size();
        }
        if (members_[member].key == key) {
            return member;
        }
    }
}

void QvJsonObject::addToIndex(size_t memberIndex) {
    if ((members_.size()) * 2 > index_->slots.size()) {
        rebuildIndex();
        return;
    }
    const size_t mask = index_->mask();
    size_t slot = hashKey(members_[memberIndex].key) & mask;
    while (index_->slots[slot] != kEmptySlot) {
        slot = (slot + 1) & mask;
    }
    index_->slots[slot] = static_cast<uint32_t>(memberIndex);
}

void QvJsonObject::rebuildIndex() {
    size_t slotCount = 64;
    while (slotCount < members_.size() * 2) {
        slotCount *= 2;
    }
    index_ = std::make_unique<KeyIndex>();
    index_->slots.assign(slotCount, kEmptySlot);
    for (size_t i = 0; i < members_.size(); ++i) {
        addToIndex(i);
    }
}

bool operator==(const QvJsonObject& a, const QvJsonObject& b) {
    if (a.size() != b.size()) {
        return false;
    }
    return std::all_of(a.begin(), a.end(), [&b](const QvJsonMember& member) {
        const QvJsonValue* other = b.find(member.key);
        return other != nullptr && *other == member.value;
    });
}

QvJsonValue::QvJsonValue(QvJsonArray array) : storage_(std::move(array)) {}
QvJsonValue::QvJsonValue(QvJsonObject object) : storage_(std::move(object)) {}
QvJsonValue::QvJsonValue(QvDecimal number) : storage_(number) {}
QvJsonValue::QvJsonValue(std::string text) : storage_(std::move(text)) {}

QvJsonValue QvJsonValue::fromBool(bool value) {
    QvJsonValue result;
    result.storage_ = value;
    return result;
}

QvJsonValue QvJsonValue::fromInteger(int64_t value) {
    return fromNumber(QvDecimal::fromInteger(value));
}

QvJsonValue QvJsonValue::fromNumber(QvDecimal value) {
    return QvJsonValue(value);
}

QvJsonValue QvJsonValue::fromString(std::string value) {
    return QvJsonValue(std::move(value));
}

QvJsonValue QvJsonValue::fromProxy(std::shared_ptr<const QvJsonProxy> proxy) {
    QvJsonValue result;
    result.storage_ = std::move(proxy);
    return result;
}

std::optional<bool> QvJsonValue::asBool() const {
    if (const bool* value = std::get_if<bool>(&storage_)) {
        return *value;
    }
    return std::nullopt;
}

const QvDecimal* QvJsonValue::asNumber() const {
    return std::get_if<QvDecimal>(&storage_);
}

std::optional<int64_t> QvJsonValue::asInteger() const {
    if (const QvDecimal* number = asNumber()) {
        return number->int64Value();
    }
    return std::nullopt;
}

const std::string* QvJsonValue::asString() const {
    return std::get_if<std::string>(&storage_);
}
std::string* QvJsonValue::asString() {
    return std::get_if<std::string>(&storage_);
}
const QvJsonArray* QvJsonValue::asArray() const {
    return std::get_if<QvJsonArray>(&storage_);
}
QvJsonArray* QvJsonValue::asArray() {
    return std::get_if<QvJsonArray>(&storage_);
}
const QvJsonObject* QvJsonValue::asObject() const {
    return std::get_if<QvJsonObject>(&storage_);
}
QvJsonObject* QvJsonValue::asObject() {
    return std::get_if<QvJsonObject>(&storage_);
}

const QvJsonProxy* QvJsonValue::asProxy() const {
    const auto* proxy = std::get_if<std::shared_ptr<const QvJsonProxy>>(&storage_);
    return proxy != nullptr ? proxy->get() : nullptr;
}

const QvJsonValue& QvJsonValue::operator[](size_t index) const {
    const QvJsonArray* array = asArray();
    return array != nullptr && index < array->size() ? (*array)[index] : sharedNull();
}

const QvJsonValue& QvJsonValue::operator[](int index) const {
    return index < 0 ? sharedNull() : (*this)[static_cast<size_t>(index)];
}

const QvJsonValue& QvJsonValue::operator[](std::string_view key) const {
    const QvJsonObject* object = asObject();
    const QvJsonValue* member = object != nullptr ? object->find(key) : nullptr;
    return member != nullptr ? *member : sharedNull();
}

bool operator==(const QvJsonValue& a, const QvJsonValue& b) {
    return a.storage_ == b.storage_;
}
