// The value model: typed access that never fails on a wrong shape, objects and deep equality.
#include "QvJsonValue.h"

#include <gtest/gtest.h>

namespace {

QvJsonValue sampleReply() {
    QvJsonObject player;
    player.set("name", QvJsonValue::fromString("ala"));
    player.set("points", QvJsonValue::fromInteger(1250));
    return QvJsonValue(QvJsonArray{QvJsonValue(std::move(player)), QvJsonValue::fromBool(true)});
}

TEST(QvJsonValue, TypedAccessIsEmptyOnAWrongShape) {
    const QvJsonValue reply = sampleReply();
    EXPECT_EQ(*reply[0]["name"].asString(), "ala");
    EXPECT_EQ(reply[0]["points"].asInteger(), 1250);
    EXPECT_EQ(reply[1].asBool(), true);

    EXPECT_TRUE(reply[2].isNull());
    EXPECT_TRUE(reply[-1].isNull());
    EXPECT_EQ(reply[size_t{1}].asBool(), true);
    EXPECT_TRUE(reply["name"].isNull());
    EXPECT_TRUE(reply[0][0].isNull());
    EXPECT_TRUE(reply[0]["missing"]["deeper"][3].isNull());
    EXPECT_EQ(reply[0]["name"].asInteger(), std::nullopt);
    EXPECT_EQ(reply[0]["points"].asString(), nullptr);
    EXPECT_EQ(reply[1].asNumber(), nullptr);
    EXPECT_EQ(reply[1].asInteger(), std::nullopt);
    EXPECT_EQ(reply.asObject(), nullptr);
    EXPECT_EQ(reply[0].asArray(), nullptr);
    EXPECT_EQ(QvJsonValue::fromInteger(1).asBool(), std::nullopt);
    EXPECT_EQ(QvJsonValue().kind(), QvJsonValue::Kind::Null);
}

TEST(QvJsonValue, BooleansAreNotNumbers) {
    EXPECT_FALSE(QvJsonValue::fromBool(true) == QvJsonValue::fromInteger(1));
    EXPECT_FALSE(QvJsonValue::fromBool(false) == QvJsonValue::fromInteger(0));
    EXPECT_TRUE(QvJsonValue::fromBool(true).isBool());
    EXPECT_FALSE(QvJsonValue::fromBool(true).isNumber());
}

TEST(QvJsonValue, EqualityIsDeepAndIgnoresMemberOrder) {
    QvJsonObject first;
    first.set("a", QvJsonValue::fromNumber(*QvDecimal::fromText("1.50")));
    first.set("b", QvJsonValue(QvJsonArray{QvJsonValue(), QvJsonValue::fromString("x")}));
    QvJsonObject second;
    second.set("b", QvJsonValue(QvJsonArray{QvJsonValue(), QvJsonValue::fromString("x")}));
    second.set("a", QvJsonValue::fromNumber(*QvDecimal::fromText("1.5")));
    EXPECT_EQ(QvJsonValue(first), QvJsonValue(second));

    second.set("b", QvJsonValue(QvJsonArray{QvJsonValue::fromString("x"), QvJsonValue()}));
    EXPECT_FALSE(QvJsonValue(first) == QvJsonValue(second));
    second.set("c", QvJsonValue());
    first.set("b", *second.find("b"));
    EXPECT_FALSE(QvJsonValue(first) == QvJsonValue(second));
}

TEST(QvJsonObject, RepeatedKeyReplacesTheValueInPlace) {
    QvJsonObject object;
    object.set("a", QvJsonValue::fromInteger(1));
    object.set("b", QvJsonValue::fromInteger(2));
    object.set("a", QvJsonValue::fromInteger(3));
    ASSERT_EQ(object.size(), 2u);
    EXPECT_EQ(object.begin()->key, "a");
    EXPECT_EQ(object.begin()->value.asInteger(), 3);
    EXPECT_EQ(object.find("c"), nullptr);
    EXPECT_FALSE(object.empty());
    EXPECT_TRUE(QvJsonObject().empty());
}

// Past a handful of members lookups go through a hash index; it must agree with the members
// after growth, replacement, copying and moving.
TEST(QvJsonObject, LargeObjectsFindEveryKey) {
    constexpr int kCount = 5000;
    QvJsonObject object;
    for (int i = 0; i < kCount; ++i) {
        object.set("key" + std::to_string(i), QvJsonValue::fromInteger(i));
    }
    for (int i = 0; i < kCount; i += 2) {
        object.set("key" + std::to_string(i), QvJsonValue::fromInteger(-i));
    }
    ASSERT_EQ(object.size(), static_cast<size_t>(kCount));

    QvJsonObject copy = object;
    const QvJsonObject moved = std::move(object);
    for (const QvJsonObject* candidate : {static_cast<const QvJsonObject*>(&copy), &moved}) {
        for (int i = 0; i < kCount; ++i) {
            const QvJsonValue* value = candidate->find("key" + std::to_string(i));
            ASSERT_NE(value, nullptr) << i;
            EXPECT_EQ(value->asInteger(), i % 2 == 0 ? -i : i);
        }
        EXPECT_EQ(candidate->find("key5000"), nullptr);
    }
    copy.set("extra", QvJsonValue());
    EXPECT_NE(copy.find("extra"), nullptr);
    EXPECT_EQ(moved.find("extra"), nullptr);
}

}  // namespace
