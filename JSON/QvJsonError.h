// One error of the codec's error trace: domain, numbered code, English description and the error
// added just before it, so the outermost error leads back to the innermost one.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::string_view QvJSONErrorDomain = "org.kalvorn.json";

// The numbered error codes shared by the parser and the writer.
enum QvJsonErrorCode : int {
    QvJsonErrorUnsupportedValue = 1,
    QvJsonErrorBadNumber = 2,
    QvJsonErrorParse = 3,
    QvJsonErrorNotContainer = 4,
    QvJsonErrorControlCharacter = 5,
    QvJsonErrorBadUnicodeEscape = 6,
    QvJsonErrorNestedTooDeep = 7,
    QvJsonErrorIllegalEscape = 8,
    QvJsonErrorTrailingComma = 9,
    QvJsonErrorGarbage = 10,
    QvJsonErrorUnexpectedEnd = 11,
    QvJsonErrorNilInput = 12,
};

struct QvJsonError {
    std::string domain;
    int code = 0;
    std::string description;
    std::shared_ptr<const QvJsonError> underlyingError;  // null for the first error of a trace
};

// A trace in the order the errors were added: innermost first, outermost last.
using QvJsonErrorTrace = std::vector<QvJsonError>;

// "(CODE: MESSAGE; CODE: MESSAGE)", innermost first: the form used in log lines.
std::string QvJsonErrorTraceText(const QvJsonErrorTrace& trace);
