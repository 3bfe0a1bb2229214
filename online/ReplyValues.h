// Reading the elements of the web service's JSON replies, whose numbers may come as JSON
// numbers or as strings of digits.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

class QvJsonValue;

// A string as it stands, a number as its decimal text; nothing for any other value.
std::optional<std::string> replyText(const QvJsonValue& value);

// The result code of an account reply (element 0 as an integer: 1 success, 0 failure); 0 for
// anything that is not a whole number or the text of one.
int64_t replyCode(const QvJsonValue& reply);
