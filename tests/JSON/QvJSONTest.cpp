// The facade and the four text operations, with their log lines.
#include "QvJSON.h"

#include <gtest/gtest.h>

#include "ParseHelpers.h"

namespace {

TEST(QvJSONTextOperations, LogFailuresToStandardError) {
    testing::internal::CaptureStderr();
    EXPECT_FALSE(JSONValue("\"abc\""));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "-JSONValue failed. Error trace is: (4: Valid fragment, but not JSON)\n");

    testing::internal::CaptureStderr();
    EXPECT_FALSE(JSONFragmentValue("[1,]"));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "-JSONFragmentValue failed. Error trace is: "
              "(9: Trailing comma disallowed in array)\n");

    testing::internal::CaptureStderr();
    EXPECT_FALSE(JSONRepresentation(QvJsonValue::fromInteger(1)));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "-JSONRepresentation failed. Error trace is: (4: Not valid type for JSON)\n");

    QvJsonValue tooDeep = QvJsonValue(QvJsonArray{});
    for (int i = 0; i < 512; ++i) {
        tooDeep = QvJsonValue(QvJsonArray{std::move(tooDeep)});
    }
    testing::internal::CaptureStderr();
    EXPECT_FALSE(JSONFragment(tooDeep));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "-JSONFragment failed. Error trace is: (7: Nested too deep)\n");
}

TEST(QvJSONTextOperations, SucceedQuietly) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(*JSONFragmentValue("\"abc\"")->asString(), "abc");
    EXPECT_EQ(JSONRepresentation(*JSONValue(R"([["3","1250","handgun"]])")),
              R"([["3","1250","handgun"]])");
    EXPECT_EQ(JSONFragment(QvJsonValue::fromString("x")), "\"x\"");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST(QvJSONFacade, KeepsTheTraceAndHandsOutTheOutermostError) {
    QvJSON json;
    EXPECT_EQ(json.maxDepth(), 512u);
    QvJsonError error;
    EXPECT_FALSE(json.objectWithString("[.5]", &error));
    EXPECT_EQ(error.code, 3);
    EXPECT_EQ(error.description, "Expected value while parsing array");
    ASSERT_NE(error.underlyingError, nullptr);
    EXPECT_EQ(error.underlyingError->description, "Unrecognised leading character");
    EXPECT_EQ(traceMessages(json),
              (std::vector<std::string>{"3: Unrecognised leading character",
                                        "3: Expected value while parsing array"}));

    EXPECT_FALSE(json.objectWithString(static_cast<const std::string*>(nullptr), &error));
    EXPECT_EQ(error.description, "Input was 'nil'");
    EXPECT_FALSE(json.objectWithString("1", nullptr));
    EXPECT_EQ(traceMessages(json), std::vector<std::string>{"4: Valid fragment, but not JSON"});
    EXPECT_EQ(json.fragmentWithString("1", nullptr)->asInteger(), 1);

    EXPECT_FALSE(json.stringWithObject(QvJsonValue(), &error));
    EXPECT_EQ(error.description, "Not valid type for JSON");
    EXPECT_EQ(json.stringWithFragment(QvJsonValue(), &error), "null");
}

TEST(QvJSONFacade, PassesSettingsToParserAndWriter) {
    QvJSON json;
    json.setMaxDepth(2);
    EXPECT_EQ(json.maxDepth(), 2u);
    EXPECT_FALSE(json.objectWithString("[[[]]]", nullptr));
    const QvJsonValue deep = *QvJsonParser().objectWithString("[[[]]]");
    EXPECT_FALSE(json.stringWithObject(deep, nullptr));
    EXPECT_EQ(traceMessages(json), std::vector<std::string>{"7: Nested too deep"});

    json.setSortKeys(true);
    json.setHumanReadable(true);
    EXPECT_TRUE(json.sortKeys());
    EXPECT_TRUE(json.humanReadable());
    const QvJsonValue object = *json.objectWithString(R"({"b":1,"a":2})", nullptr);
    EXPECT_EQ(json.stringWithObject(object, nullptr), "{\n  \"a\" : 2,\n  \"b\" : 1\n}");
}

}  // namespace
