// Helpers shared by the codec's tests: the messages of an error trace, innermost first.
#pragma once

#include <string>
#include <vector>

#include "QvJsonBase.h"

inline std::vector<std::string> traceMessages(const QvJsonBase& codec) {
    std::vector<std::string> messages;
    for (const QvJsonError& error : codec.errorTrace()) {
        messages.push_back(std::to_string(error.code) + ": " + error.description);
    }
    return messages;
}
