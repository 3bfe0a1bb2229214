// A recursive-descent parser from UTF-8 JSON text to QvJsonValue, with numbered errors collected
// in the error trace and a nesting limit.
//
// The grammar is lenient in a few deliberate ways: members and elements need no comma between
// them ("[1 2]" has two elements), vertical tab and form feed count as whitespace, and the text
// ends at its first zero byte. String bytes outside escapes are copied as they are.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "QvJsonBase.h"
#include "QvJsonValue.h"

class QvJsonParser : public QvJsonBase {
public:
    // One value of any kind, or absent with the reasons in errorTrace().
    std::optional<QvJsonValue> fragmentWithString(std::string_view text);
    // An absent text (nullptr) fails with "Input was 'nil'".
    std::optional<QvJsonValue> fragmentWithString(const std::string* text);
    // Like fragmentWithString, but only an object or an array is accepted.
    std::optional<QvJsonValue> objectWithString(std::string_view text);
    std::optional<QvJsonValue> objectWithString(const std::string* text);

private:
    // Each scan of a value appends the value to pendingValues_.
    bool scanValue();
    bool scanRestOfObject();
    bool scanRestOfArray();
    bool scanRestOfString(std::string& text);
    bool scanUnicodeEscape(std::string& text);
    bool scanHexQuad(uint32_t& unit);
    bool scanNumber();
    bool scanLiteral(std::string_view rest, const char* message, QvJsonValue literal);
    void skipWhitespace() {
        if (c_ == end_ || static_cast<unsigned char>(*c_) > ' ') {
            return;
        }
        skipWhitespaceRun();
    }
    void skipWhitespaceRun();

    const char* c_ = nullptr;  // read position
    const char* end_ = nullptr;
    // Values and members read but not yet placed in their container, innermost last; a finished
    // container takes its own off the top in one move, so each container is allocated once at
    // its final size and scalars are constructed where they will stay until then.
    std::vector<QvJsonValue> pendingValues_;
    std::vector<QvJsonMember> pendingMembers_;
};
