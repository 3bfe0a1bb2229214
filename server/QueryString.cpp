// Request target decoding.
#include "QueryString.h"

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

std::string decodedQueryPart(std::string_view text) {
    std::string spaced(text);
    for (char& c : spaced) {
        if (c == '+') {
            c = ' ';
        }
    }
    return percentDecoded(spaced);
}

}  // namespace

std::string percentDecoded(std::string_view text) {
    std::string decoded;
    decoded.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hexDigit(text[i + 1]) >= 0 &&
            hexDigit(text[i + 2]) >= 0) {
            decoded += static_cast<char>(hexDigit(text[i + 1]) * 16 + hexDigit(text[i + 2]));
            i += 2;
        } else {
            decoded += text[i];
        }
    }
    return decoded;
}

RequestTarget parseRequestTarget(std::string_view target) {
    RequestTarget result;
    size_t question = target.find('?');
    result.path = percentDecoded(target.substr(0, question));
    if (question == std::string_view::npos) {
        return result;
    }
    std::string_view rest = target.substr(question + 1);
    while (!rest.empty()) {
        size_t ampersand = rest.find('&');
        std::string_view pair = rest.substr(0, ampersand);
        rest =
            ampersand == std::string_view::npos ? std::string_view() : rest.substr(ampersand + 1);
        if (pair.empty()) {
            continue;
        }
        size_t equals = pair.find('=');
        std::string_view key = pair.substr(0, equals);
        std::string_view value =
            equals == std::string_view::npos ? std::string_view() : pair.substr(equals + 1);
        result.query.emplace(decodedQueryPart(key), decodedQueryPart(value));
    }
    return result;
}
