// Validation of account fields.
#include "AccountRules.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr size_t kMinNameLength = 3;
constexpr size_t kMaxNameLength = 20;
constexpr size_t kMinPasswordLength = 6;
constexpr size_t kMaxPasswordLength = 64;
constexpr size_t kMaxMailLength = 254;

bool isNameCharacter(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-' || c == '.';
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

bool hasControlOrSpace(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        auto byte = static_cast<unsigned char>(c);
        return byte <= 0x20 || byte == 0x7f;
    });
}

}  // namespace

std::optional<std::string> userNameProblem(std::string_view name) {
    if (name.empty()) {
        return "Enter a user name.";
    }
    if (name.size() < kMinNameLength || name.size() > kMaxNameLength) {
        return "A user name has 3 to 20 characters.";
    }
    if (!std::all_of(name.begin(), name.end(),
                     [](char c) { return isNameCharacter(c) || c == ' '; })) {
        return "A user name may contain only letters, digits, '_', '-', '.' and spaces.";
    }
    if (name.front() == ' ' || name.back() == ' ' || name.find("  ") != std::string_view::npos) {
        return "A user name may not start or end with a space or hold two in a row.";
    }
    if (equalsIgnoringCase(name, "defaultUser")) {
        return "This user name is reserved.";
    }
    return std::nullopt;
}

std::optional<std::string> passwordProblem(std::string_view password) {
    if (password.size() < kMinPasswordLength || password.size() > kMaxPasswordLength) {
        return "A password has 6 to 64 characters.";
    }
    bool hasControl = std::any_of(password.begin(), password.end(), [](char c) {
        auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7f;
    });
    if (hasControl || !isValidUtf8(password)) {
        return "A password may not contain control characters.";
    }
    return std::nullopt;
}

std::optional<std::string> mailProblem(std::string_view mail) {
    std::string_view problem = "Enter a valid e-mail address.";
    size_t at = mail.find('@');
    if (mail.size() > kMaxMailLength || hasControlOrSpace(mail) || !isValidUtf8(mail) ||
        at == std::string_view::npos || at == 0 ||
        mail.find('@', at + 1) != std::string_view::npos) {
        return std::string(problem);
    }
    std::string_view domain = mail.substr(at + 1);
    size_t dot = domain.rfind('.');
    if (dot == std::string_view::npos || dot == 0 || dot + 1 == domain.size() ||
        domain.front() == '.' || domain.find("..") != std::string_view::npos) {
        return std::string(problem);
    }
    return std::nullopt;
}

bool isValidUtf8(std::string_view text) {
    size_t i = 0;
    while (i < text.size()) {
        auto lead = static_cast<unsigned char>(text[i]);
        size_t length;
        char32_t codePoint;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if ((lead & 0xe0) == 0xc0) {
            length = 2;
            codePoint = lead & 0x1f;
        } else if ((lead & 0xf0) == 0xe0) {
            length = 3;
            codePoint = lead & 0x0f;
        } else if ((lead & 0xf8) == 0xf0) {
            length = 4;
            codePoint = lead & 0x07;
        } else {
            return false;
        }
        if (i + length > text.size()) {
            return false;
        }
        for (size_t k = 1; k < length; ++k) {
            auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xc0) != 0x80) {
                return false;
            }
            codePoint = (codePoint << 6) | (next & 0x3f);
        }
        // Overlong forms, UTF-16 surrogates and values past U+10FFFF are not UTF-8.
        constexpr char32_t kSmallestOfLength[] = {0, 0, 0x80, 0x800, 0x10000};
        if (codePoint < kSmallestOfLength[length] || (codePoint >= 0xd800 && codePoint <= 0xdfff) ||
            codePoint > 0x10ffff) {
            return false;
        }
        i += length;
    }
    return true;
}
