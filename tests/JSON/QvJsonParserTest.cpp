// The parser: accepted grammar, every error code with its message and the order of the trace.
#include "QvJsonParser.h"

#include <gtest/gtest.h>

#include "ParseHelpers.h"

namespace {

using Messages = std::vector<std::string>;

struct Refusal {
    std::string input;
    Messages trace;
};

// Parses `input` as a fragment and returns the trace, or {"accepted"}.
Messages fragmentTrace(std::string_view input) {
    QvJsonParser parser;
    if (parser.fragmentWithString(input)) {
        return {"accepted"};
    }
    return traceMessages(parser);
}

QvJsonValue parsed(std::string_view input) {
    QvJsonParser parser;
    std::optional<QvJsonValue> value = parser.fragmentWithString(input);
    EXPECT_TRUE(value) << input << ": " << testing::PrintToString(traceMessages(parser));
    return value.value_or(QvJsonValue());
}

std::string nested(int depth) {
    return std::string(depth, '[') + std::string(depth, ']');
}

TEST(QvJsonParser, RefusesWithTheRightTrace) {
    const std::vector<Refusal> refusals = {
        {"", {"11: Unexpected end of string"}},
        {" \t\n ", {"11: Unexpected end of string"}},
        {"01", {"2: Leading 0 disallowed in number"}},
        {"-", {"2: No digits after initial minus"}},
        {"-x", {"2: No digits after initial minus"}},
        {"1.", {"2: No digits after decimal point"}},
        {"1e+", {"2: No digits after exponent"}},
        {"+1", {"2: Leading + disallowed in number"}},
        {"1e5000", {"2: Failed creating decimal instance"}},
        {".5", {"3: Unrecognised leading character"}},
        {"tru", {"3: Expected 'true'"}},
        {"fals", {"3: Expected 'false'"}},
        {"nul", {"3: Expected 'null'"}},
        {"truex", {"10: Garbage after JSON"}},
        {"[1,]", {"9: Trailing comma disallowed in array"}},
        {"{\"a\":1,}", {"9: Trailing comma disallowed in object"}},
        {"{\"a\":1, }", {"9: Trailing comma disallowed in object"}},
        {"[1] x", {"10: Garbage after JSON"}},
        {"[", {"11: End of input while parsing array"}},
        {"[1", {"11: End of input while parsing array"}},
        {"{\"a\":1", {"11: End of input while parsing object"}},
        {"[ ", {"11: Unexpected end of string", "3: Expected value while parsing array"}},
        {"[.5]", {"3: Unrecognised leading character", "3: Expected value while parsing array"}},
        {"{1:2}", {"3: Object key string expected"}},
        {"{ ", {"3: Object key string expected"}},
        {"{\"a\" 1}", {"3: Expected ':' separating key and value"}},
        {"{\"k\":}", {"3: Unrecognised leading character", "3: Object value expected for key: k"}},
        {"{\"a\":[-]}",
         {"2: No digits after initial minus", "3: Expected value while parsing array",
          "3: Object value expected for key: a"}},
        {"{\"a\tb\":1}", {"5: Unescaped control character '0x9'", "3: Object key string expected"}},
        {"\"a\tb\"", {"5: Unescaped control character '0x9'"}},
        {"\"\x1f\"", {"5: Unescaped control character '0x1f'"}},
        {"\"abc", {"5: Unescaped control character '0x0'"}},
        {"\"abc\\n", {"11: Unexpected EOF while parsing string"}},
        {"\"\\x\"", {"8: Illegal escape sequence '0x78'"}},
        {"\"\\", {"8: Illegal escape sequence '0x0'"}},
        {"[\"\\u12g4\"]",
         {"6: Missing hex digit in quad", "6: Missing hex quad", "6: Broken unicode character",
          "3: Expected value while parsing array"}},
        {"\"\\u12",
         {"6: Missing hex digit in quad", "6: Missing hex quad", "6: Broken unicode character"}},
        {"[\"\\ud83d\"]",
         {"6: Missing low character in surrogate pair", "6: Broken unicode character",
          "3: Expected value while parsing array"}},
        {"[\"\\ude00\"]",
         {"6: Invalid high character in surrogate pair", "6: Broken unicode character",
          "3: Expected value while parsing array"}},
        {"\"\\ud83d\\u0041\"", {"6: Invalid low surrogate char", "6: Broken unicode character"}},
        {"\"\\ud83d\\n\"",
         {"6: Missing low character in surrogate pair", "6: Broken unicode character"}},
    };
    for (const Refusal& refusal : refusals) {
        EXPECT_EQ(fragmentTrace(refusal.input), refusal.trace) << "input: " << refusal.input;
    }
}

TEST(QvJsonParser, AcceptsTheLenientGrammar) {
    const QvJsonValue elements = parsed("[1 2]");
    ASSERT_NE(elements.asArray(), nullptr);
    EXPECT_EQ(elements.asArray()->size(), 2u);

    const QvJsonValue members = parsed("{\"a\":1 \"b\":2}");
    EXPECT_EQ(members["a"].asInteger(), 1);
    EXPECT_EQ(members["b"].asInteger(), 2);

    EXPECT_EQ(parsed("\v[\f1\r,\t2\n]\v\f"), parsed("[1,2]"));
    EXPECT_EQ(parsed("{\"a\":1,\"a\":2}")["a"].asInteger(), 2);
    EXPECT_EQ(parsed("{\"a\":1,\"a\":2}").asObject()->size(), 1u);
    // The text ends at its first zero byte.
    EXPECT_EQ(parsed(std::string_view("[1]\0garbage", 11)), parsed("[1]"));
}

TEST(QvJsonParser, ReadsLargeObjectsAndStrings) {
    std::string text = "{";
    for (int i = 0; i < 1000; ++i) {
        text += "\"k" + std::to_string(i) + "\":" + std::to_string(i) + ",";
    }
    text += "\"k7\":\"again\"}";
    const QvJsonValue object = parsed(text);
    ASSERT_NE(object.asObject(), nullptr);
    EXPECT_EQ(object.asObject()->size(), 1000u);
    EXPECT_EQ(*object["k7"].asString(), "again");
    EXPECT_EQ(object["k999"].asInteger(), 999);

    const std::string huge(3'000'000, 'x');
    EXPECT_EQ(parsed("[\"" + huge + "\"]")[0].asString()->size(), huge.size());
    EXPECT_EQ(fragmentTrace("[\"" + huge), (Messages{"5: Unescaped control character '0x0'",
                                                     "3: Expected value while parsing array"}));
}

TEST(QvJsonParser, ReadsScalarsExactly) {
    EXPECT_EQ(parsed("-0").asNumber()->text(), "-0");
    EXPECT_EQ(*parsed("0.5e-3").asNumber(), *QvDecimal::fromText("0.0005"));
    EXPECT_EQ(*parsed("1.50").asNumber(), *QvDecimal::fromText("1.5"));
    EXPECT_EQ(parsed("-9223372036854775808").asInteger(), INT64_MIN);
    EXPECT_EQ(parsed("true").asBool(), true);
    EXPECT_EQ(parsed("false").asBool(), false);
    EXPECT_TRUE(parsed("null").isNull());
}

TEST(QvJsonParser, DecodesStrings) {
    EXPECT_EQ(*parsed("[\"\\u00e9\"]")[0].asString(), "\xC3\xA9");
    EXPECT_EQ(*parsed("[\"\\ud83d\\ude00\"]")[0].asString(), "\xF0\x9F\x98\x80");
    EXPECT_EQ(*parsed("\"\\\"\\\\\\/\\b\\f\\n\\r\\t\"").asString(), "\"\\/\b\f\n\r\t");
    EXPECT_EQ(*parsed("\"\\u20AC\\u0041\"").asString(),
              "\xE2\x82\xAC"
              "A");
    EXPECT_EQ(*parsed("\"\\u0000\"").asString(), std::string(1, '\0'));
    // Long plain runs around escapes, on both sides of the 8-byte scan.
    const std::string run(37, 'x');
    EXPECT_EQ(*parsed("\"" + run + "\\n" + run + "\"").asString(), run + "\n" + run);
    EXPECT_EQ(*parsed("\"\xC5\xBC\xC3\xB3\xC5\x82w\"").asString(), "\xC5\xBC\xC3\xB3\xC5\x82w");
}

TEST(QvJsonParser, ObjectWithStringWantsAContainer) {
    QvJsonParser parser;
    EXPECT_FALSE(parser.objectWithString("\"abc\""));
    EXPECT_EQ(traceMessages(parser), Messages{"4: Valid fragment, but not JSON"});
    EXPECT_EQ(*parser.fragmentWithString("\"abc\"")->asString(), "abc");
    EXPECT_TRUE(parser.errorTrace().empty());
    EXPECT_TRUE(parser.objectWithString("{}"));

    EXPECT_FALSE(parser.objectWithString(static_cast<const std::string*>(nullptr)));
    EXPECT_EQ(traceMessages(parser), Messages{"12: Input was 'nil'"});
    EXPECT_FALSE(parser.fragmentWithString(static_cast<const std::string*>(nullptr)));
    EXPECT_EQ(traceMessages(parser), Messages{"12: Input was 'nil'"});
}

TEST(QvJsonParser, EachErrorLeadsBackToTheOneBefore) {
    QvJsonParser parser;
    ASSERT_FALSE(parser.fragmentWithString("{\"a\":[.5]}"));
    const QvJsonErrorTrace& trace = parser.errorTrace();
    ASSERT_EQ(trace.size(), 3u);
    EXPECT_EQ(trace[0].underlyingError, nullptr);
    ASSERT_NE(trace[2].underlyingError, nullptr);
    EXPECT_EQ(trace[2].underlyingError->description, "Expected value while parsing array");
    ASSERT_NE(trace[2].underlyingError->underlyingError, nullptr);
    EXPECT_EQ(trace[2].underlyingError->underlyingError->description,
              "Unrecognised leading character");
    for (const QvJsonError& error : trace) {
        EXPECT_EQ(error.domain, QvJSONErrorDomain);
    }
}

TEST(QvJsonParser, LimitsNesting) {
    QvJsonParser parser;
    EXPECT_EQ(parser.maxDepth(), 512u);
    EXPECT_TRUE(parser.fragmentWithString(nested(512)));
    EXPECT_FALSE(parser.fragmentWithString(nested(513)));
    const Messages arrays = traceMessages(parser);
    ASSERT_EQ(arrays.size(), 513u);
    EXPECT_EQ(arrays.front(), "7: Nested too deep");
    EXPECT_EQ(arrays.back(), "3: Expected value while parsing array");

    std::string objects;
    for (int i = 0; i < 513; ++i) {
        objects += "{\"k\":";
    }
    EXPECT_FALSE(parser.fragmentWithString(objects + "1" + std::string(513, '}')));
    ASSERT_GE(parser.errorTrace().size(), 2u);
    EXPECT_EQ(traceMessages(parser)[0], "7: Nested too deep");
    EXPECT_EQ(traceMessages(parser)[1], "3: Object value expected for key: k");

    // Siblings do not add up: the depth falls again when a container ends.
    std::string siblings = "[";
    for (int i = 0; i < 1000; ++i) {
        siblings += nested(10) + ",";
    }
    EXPECT_TRUE(parser.fragmentWithString(siblings + "1]"));

    parser.setMaxDepth(3);
    EXPECT_TRUE(parser.fragmentWithString(nested(3)));
    EXPECT_FALSE(parser.fragmentWithString(nested(4)));
    parser.setMaxDepth(0);
    EXPECT_TRUE(parser.fragmentWithString(nested(2000)));
}

TEST(QvJsonParser, ReuseStartsEachRunAfresh) {
    QvJsonParser parser;
    EXPECT_FALSE(parser.fragmentWithString("[[[[1]"));
    EXPECT_EQ(parser.fragmentWithString("[[2],{\"a\":[3]}]"), parsed("[[2],{\"a\":[3]}]"));
    EXPECT_TRUE(parser.errorTrace().empty());
}

}  // namespace
