// The writer: escaping, compact and indented layout, sorted keys, proxies, errors and nesting.
#include "QvJsonWriter.h"

#include <gtest/gtest.h>

#include "ParseHelpers.h"
#include "QvJsonParser.h"

namespace {

using Messages = std::vector<std::string>;

class FixedProxy : public QvJsonProxy {
public:
    explicit FixedProxy(std::optional<QvJsonValue> value) : value_(std::move(value)) {}
    std::optional<QvJsonValue> proxyForJson() const override { return value_; }
    std::string typeName() const override { return "ScoreRow"; }

private:
    std::optional<QvJsonValue> value_;
};

QvJsonValue proxy(std::optional<QvJsonValue> value) {
    return QvJsonValue::fromProxy(std::make_shared<FixedProxy>(std::move(value)));
}

QvJsonValue parsed(std::string_view text) {
    QvJsonParser parser;
    return parser.fragmentWithString(text).value();
}

QvJsonValue nestedArrays(int depth) {
    QvJsonValue value = QvJsonValue(QvJsonArray{});
    for (int i = 1; i < depth; ++i) {
        value = QvJsonValue(QvJsonArray{std::move(value)});
    }
    return value;
}

std::string fragment(const QvJsonValue& value) {
    QvJsonWriter writer;
    return writer.stringWithFragment(value).value_or("<failed>");
}

TEST(QvJsonWriter, EscapesOnlyWhatMustBeEscaped) {
    EXPECT_EQ(fragment(QvJsonValue::fromString("\"\\\t\x01")), R"("\"\\\t\u0001")");
    EXPECT_EQ(fragment(QvJsonValue::fromString("\b\f\n\r\x1f")), R"("\b\f\n\r\u001f")");
    EXPECT_EQ(fragment(QvJsonValue::fromString(std::string(1, '\0'))), R"("\u0000")");
    EXPECT_EQ(fragment(QvJsonValue::fromString("a/b \xC3\xA9\x7f")), "\"a/b \xC3\xA9\x7f\"");
    EXPECT_EQ(fragment(QvJsonValue::fromString("\xF0\x9F\x98\x80")), "\"\xF0\x9F\x98\x80\"");
    EXPECT_EQ(fragment(QvJsonValue::fromString("")), "\"\"");
}

TEST(QvJsonWriter, WritesCompactTextByDefault) {
    EXPECT_EQ(fragment(parsed(R"([["3","1250","handgun"],["4","900","handgun"]])")),
              R"([["3","1250","handgun"],["4","900","handgun"]])");
    EXPECT_EQ(fragment(parsed("[true,false,null,{},[]]")), "[true,false,null,{},[]]");
    EXPECT_EQ(fragment(QvJsonValue::fromBool(true)), "true");
    EXPECT_EQ(fragment(QvJsonValue::fromInteger(-42)), "-42");
    EXPECT_EQ(fragment(parsed("[1.50, 0.5e-3, -0, 1E2]")), "[1.50,0.0005,-0,100]");
    EXPECT_EQ(fragment(parsed(R"({"z":1,"a":2})")), R"({"z":1,"a":2})");
}

TEST(QvJsonWriter, IndentsAndSortsOnRequest) {
    QvJsonWriter writer;
    writer.setHumanReadable(true);
    writer.setSortKeys(true);
    EXPECT_EQ(writer.stringWithObject(parsed(R"({"b":null,"a":[1,2]})")),
              "{\n  \"a\" : [\n    1,\n    2\n  ],\n  \"b\" : null\n}");
    EXPECT_EQ(writer.stringWithObject(parsed("{}")), "{}");
    EXPECT_EQ(writer.stringWithObject(parsed("[[],{}]")), "[\n  [],\n  {}\n]");

    writer.setHumanReadable(false);
    EXPECT_EQ(writer.stringWithObject(parsed(R"({"b":1,"B":2,"a":{"d":3,"c":4}})")),
              R"({"B":2,"a":{"c":4,"d":3},"b":1})");
}

TEST(QvJsonWriter, ObjectEntryWantsAContainer) {
    QvJsonWriter writer;
    EXPECT_FALSE(writer.stringWithObject(QvJsonValue::fromString("abc")));
    EXPECT_EQ(traceMessages(writer), Messages{"4: Not valid type for JSON"});
    EXPECT_EQ(writer.stringWithFragment(QvJsonValue::fromString("abc")), "\"abc\"");
    EXPECT_TRUE(writer.errorTrace().empty());
}

TEST(QvJsonWriter, WritesWhatAProxySupplies) {
    QvJsonObject object;
    object.set("row", proxy(parsed(R"(["3","1250"])")));
    EXPECT_EQ(fragment(QvJsonValue(object)), R"({"row":["3","1250"]})");

    object.set("k", proxy(std::nullopt));
    QvJsonWriter writer;
    EXPECT_FALSE(writer.stringWithObject(QvJsonValue(object)));
    EXPECT_EQ(traceMessages(writer), (Messages{"1: JSON serialisation not supported for ScoreRow",
                                               "1: Unsupported value for key k in object"}));

    EXPECT_FALSE(writer.stringWithObject(QvJsonValue(QvJsonArray{proxy(std::nullopt)})));
    EXPECT_EQ(traceMessages(writer), Messages{"1: JSON serialisation not supported for ScoreRow"});
}

TEST(QvJsonWriter, LimitsNesting) {
    QvJsonWriter writer;
    EXPECT_TRUE(writer.stringWithObject(nestedArrays(512)));
    EXPECT_FALSE(writer.stringWithObject(nestedArrays(513)));
    EXPECT_EQ(traceMessages(writer), Messages{"7: Nested too deep"});

    QvJsonObject inner;
    inner.set("k", nestedArrays(512));
    EXPECT_FALSE(writer.stringWithObject(QvJsonValue(inner)));
    EXPECT_EQ(traceMessages(writer),
              (Messages{"7: Nested too deep", "1: Unsupported value for key k in object"}));
}

// With the limit switched off the depth must still be counted both ways, or indentation after
// the first closed container wraps around.
TEST(QvJsonWriter, IndentsCorrectlyWithTheLimitOff) {
    QvJsonWriter writer;
    writer.setMaxDepth(0);
    writer.setHumanReadable(true);
    EXPECT_EQ(writer.stringWithObject(parsed("[[1],2]")), "[\n  [\n    1\n  ],\n  2\n]");
    QvJsonWriter checking;
    checking.setMaxDepth(1000);
    checking.setHumanReadable(true);
    const QvJsonValue deep = nestedArrays(600);
    const std::optional<std::string> unchecked = writer.stringWithObject(deep);
    ASSERT_TRUE(unchecked);
    EXPECT_EQ(unchecked, checking.stringWithObject(deep));
}

TEST(QvJsonWriter, RoundTripsThroughTheParser) {
    const std::string text =
        R"({"name":"\u017c\"quoted\"\\","list":[1,-2.5e-7,123456789012345678,true,null],)"
        R"("nested":{"empty":{},"none":[],"tab":"\t"}})";
    const QvJsonValue value = parsed(text);
    for (bool humanReadable : {false, true}) {
        QvJsonWriter writer;
        writer.setHumanReadable(humanReadable);
        EXPECT_EQ(parsed(writer.stringWithObject(value).value()), value);
    }
}

}  // namespace
