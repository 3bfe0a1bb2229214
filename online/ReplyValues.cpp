// Reading the elements of the web service's replies.
#include "online/ReplyValues.h"

#include "JSON/QvJSON.h"
#include "app/TextValue.h"

std::optional<std::string> replyText(const QvJsonValue& value) {
    if (const std::string* text = value.asString()) {
        return *text;
    }
    if (const QvDecimal* number = value.asNumber()) {
        return number->text();
    }
    return std::nullopt;
}

int64_t replyCode(const QvJsonValue& reply) {
    const QvJsonValue& code = reply[0];
    if (std::optional<int64_t> number = code.asInteger()) {
        return *number;
    }
    if (const std::string* text = code.asString()) {
        return exactIntValue(*text).value_or(0);
    }
    return 0;
}
