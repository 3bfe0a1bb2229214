// Parsing scripted sessions into steps.
#include "platform/Script.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <set>

namespace {

std::string_view trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

std::vector<std::string> words(std::string_view text) {
    std::vector<std::string> result;
    size_t position = 0;
    while (true) {
        position = text.find_first_not_of(" \t", position);
        if (position == std::string_view::npos) {
            return result;
        }
        const size_t end = text.find_first_of(" \t", position);
        result.emplace_back(text.substr(position, end - position));
        if (end == std::string_view::npos) {
            return result;
        }
        position = end;
    }
}

// The text after the first `count` words.
std::string_view restAfterWords(std::string_view text, int count) {
    size_t position = 0;
    for (int i = 0; i < count; ++i) {
        position = text.find_first_not_of(" \t", position);
        position =
            position == std::string_view::npos ? text.size() : text.find_first_of(" \t", position);
        if (position == std::string_view::npos) {
            return {};
        }
    }
    const size_t start = text.find_first_not_of(" \t", position);
    return start == std::string_view::npos ? std::string_view{} : text.substr(start);
}

std::optional<double> parseNumber(std::string_view text) {
    text = trim(text);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

bool isIdentifier(std::string_view text) {
    if (text.empty()) {
        return false;
    }
    for (char c : text) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') {
            return false;
        }
    }
    return true;
}

// An outlet, or TABLE/ROW/NAME: the view NAME in the cell of row ROW of the table outlet TABLE.
bool isOutletName(std::string_view text) {
    const size_t slash = text.find('/');
    if (slash == std::string_view::npos) {
        return isIdentifier(text);
    }
    const size_t second = text.find('/', slash + 1);
    if (second == std::string_view::npos) {
        return false;
    }
    const std::string_view row = text.substr(slash + 1, second - slash - 1);
    return isIdentifier(text.substr(0, slash)) && !row.empty() &&
           std::all_of(row.begin(), row.end(),
                       [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }) &&
           isIdentifier(text.substr(second + 1));
}

std::optional<std::vector<double>> parseNumberList(std::string_view text, size_t count) {
    std::vector<double> numbers;
    size_t position = 0;
    while (numbers.size() < count) {
        const size_t comma = text.find(',', position);
        std::optional<double> number = parseNumber(text.substr(position, comma - position));
        if (!number) {
            return std::nullopt;
        }
        numbers.push_back(*number);
        if (comma == std::string_view::npos) {
            break;
        }
        position = comma + 1;
    }
    if (numbers.size() != count || text.find(',', position) != std::string_view::npos) {
        return std::nullopt;
    }
    return numbers;
}

std::optional<ScriptTarget> parseTarget(std::string_view text) {
    if (text.find(',') != std::string_view::npos) {
        if (std::optional<std::vector<double>> xy = parseNumberList(text, 2)) {
            return ScriptTarget(Point{(*xy)[0], (*xy)[1]});
        }
        return std::nullopt;
    }
    if (isOutletName(text)) {
        return ScriptTarget(std::string(text));
    }
    return std::nullopt;
}

std::string formatNumber(double value) {
    if (value == 0) {
        value = 0;  // no "-0"
    }
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

bool isColorText(std::string_view text) {
    return text.size() == 7 && text[0] == '#' &&
           std::all_of(text.begin() + 1, text.end(),
                       [](unsigned char c) { return std::isxdigit(c) != 0; });
}

// Parses one step; returns the problem, or empty when the line is a good step.
std::string parseStep(std::string_view line, ScriptStep& step) {
    const std::vector<std::string> parts = words(line);
    const std::string& verb = parts[0];
    const size_t argumentCount = parts.size() - 1;
    auto needs = [&](size_t count, const char* form) -> std::string {
        return argumentCount == count ? "" : std::string("expected \"") + form + "\"";
    };

    if (verb == "wait") {
        step.kind = ScriptStepKind::Wait;
        if (std::string problem = needs(1, "wait SECONDS"); !problem.empty()) {
            return problem;
        }
        std::optional<double> seconds = parseNumber(parts[1]);
        if (!seconds || *seconds < 0) {
            return "wait needs a number of seconds, not \"" + parts[1] + "\"";
        }
        step.seconds = *seconds;
        return "";
    }
    if (verb == "up" || verb == "cancel") {
        step.kind = verb == "up" ? ScriptStepKind::Up : ScriptStepKind::Cancel;
        return needs(0, verb == "up" ? "up" : "cancel");
    }
    if (verb == "tap" || verb == "drag" || verb == "down") {
        const bool drag = verb == "drag";
        step.kind = drag ? ScriptStepKind::Drag
                         : (verb == "tap" ? ScriptStepKind::Tap : ScriptStepKind::Down);
        const std::string form = drag ? "drag FROM TO" : verb + " OUTLET|X,Y";
        if (std::string problem = needs(drag ? 2 : 1, form.c_str()); !problem.empty()) {
            return problem;
        }
        for (size_t i = 1; i < parts.size(); ++i) {
            std::optional<ScriptTarget> target = parseTarget(parts[i]);
            if (!target) {
                return "\"" + parts[i] + "\" is neither an outlet name nor a point X,Y";
            }
            step.targets.push_back(*target);
        }
        return "";
    }
    if (verb == "action" || verb == "expect-screen") {
        step.kind = verb == "action" ? ScriptStepKind::Action : ScriptStepKind::ExpectScreen;
        if (std::string problem =
                needs(1, verb == "action" ? "action NAME" : "expect-screen CLASS");
            !problem.empty()) {
            return problem;
        }
        step.name = parts[1];
        return "";
    }
    if (verb == "type") {
        step.kind = ScriptStepKind::Type;
        if (argumentCount < 1 || !isOutletName(parts[1])) {
            return "expected \"type OUTLET TEXT\"";
        }
        step.name = parts[1];
        step.text = std::string(trim(restAfterWords(line, 2)));
        return "";
    }
    if (verb == "expect") {
        step.kind = ScriptStepKind::Expect;
        const std::string_view rest = restAfterWords(line, 1);
        const size_t equals = rest.find('=');
        if (equals == std::string_view::npos) {
            return "expected \"expect OUTLET.PROPERTY = VALUE\"";
        }
        const std::string_view subject = trim(rest.substr(0, equals));
        const size_t dot = subject.find('.');
        if (dot == std::string_view::npos || !isOutletName(subject.substr(0, dot))) {
            return "expected \"expect OUTLET.PROPERTY = VALUE\"";
        }
        step.name = std::string(subject.substr(0, dot));
        step.property = std::string(subject.substr(dot + 1));
        step.text = std::string(trim(rest.substr(equals + 1)));
        static const std::set<std::string> properties = {
            "text", "hidden", "on", "frame", "image", "textColor", "contentOffset", "page"};
        if (!properties.contains(step.property)) {
            return "unknown property \"" + step.property +
                   "\" (expected text, hidden, on, frame, image, textColor, contentOffset or "
                   "page)";
        }
        if (step.property == "textColor") {
            if (!isColorText(step.text)) {
                return "a colour is written #RRGGBB, not \"" + step.text + "\"";
            }
            std::transform(step.text.begin(), step.text.end(), step.text.begin(),
                           [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        }
        if ((step.property == "hidden" || step.property == "on") && step.text != "true" &&
            step.text != "false") {
            return step.property + " is compared with true or false, not \"" + step.text + "\"";
        }
        if (step.property == "frame") {
            std::optional<std::vector<double>> frame = parseNumberList(step.text, 4);
            if (!frame) {
                return "a frame is written x,y,w,h, not \"" + step.text + "\"";
            }
            step.text = formatFrame({(*frame)[0], (*frame)[1], (*frame)[2], (*frame)[3]});
        }
        if (step.property == "contentOffset") {
            std::optional<std::vector<double>> offset = parseNumberList(step.text, 2);
            if (!offset) {
                return "a content offset is written x,y, not \"" + step.text + "\"";
            }
            step.text = formatPoint({(*offset)[0], (*offset)[1]});
        }
        if (step.property == "page") {
            std::optional<double> page = parseNumber(step.text);
            if (!page || *page != std::floor(*page)) {
                return "a page is a whole number, not \"" + step.text + "\"";
            }
            step.text = formatNumber(*page);
        }
        return "";
    }
    if (verb == "open") {
        step.kind = ScriptStepKind::Open;
        if (argumentCount < 1) {
            return "expected \"open CLASS ARGS...\"";
        }
        step.name = parts[1];
        step.arguments.assign(parts.begin() + 2, parts.end());
        return "";
    }
    if (verb == "pick") {
        step.kind = ScriptStepKind::Pick;
        if (argumentCount != 2 || !isOutletName(parts[1])) {
            return "expected \"pick OUTLET ROW\"";
        }
        std::optional<double> row = parseNumber(parts[2]);
        if (!row || *row < 0 || *row != std::floor(*row) || *row > 1e9) {
            return "a row is a whole number from 0, not \"" + parts[2] + "\"";
        }
        step.name = parts[1];
        step.row = static_cast<int>(*row);
        return "";
    }
    if (verb == "expect-alert" || verb == "alert-button") {
        step.kind =
            verb == "expect-alert" ? ScriptStepKind::ExpectAlert : ScriptStepKind::AlertButton;
        step.text = std::string(trim(restAfterWords(line, 1)));
        if (step.text.empty()) {
            return "expected \"" + verb + " TITLE\"";
        }
        return "";
    }
    if (verb == "screenshot") {
        step.kind = ScriptStepKind::Screenshot;
        step.name = std::string(trim(restAfterWords(line, 1)));
        return step.name.empty() ? "expected \"screenshot FILE\"" : "";
    }
    return "unknown step \"" + verb + "\"";
}

}  // namespace

ParsedScript parseScript(std::string_view text) {
    ParsedScript script;
    int lineNumber = 0;
    size_t position = 0;
    while (position <= text.size()) {
        const size_t end = std::min(text.find('\n', position), text.size());
        const std::string_view line = trim(text.substr(position, end - position));
        position = end + 1;
        ++lineNumber;
        if (line.empty() || line.front() == '#') {
            continue;
        }
        ScriptStep step;
        step.line = lineNumber;
        if (std::string problem = parseStep(line, step); !problem.empty()) {
            script.errors.push_back("line " + std::to_string(lineNumber) + ": " + problem);
        } else {
            script.steps.push_back(std::move(step));
        }
    }
    return script;
}

std::string formatPoint(Point point) {
    return formatNumber(point.x) + "," + formatNumber(point.y);
}

std::string formatFrame(Rect frame) {
    return formatNumber(frame.x) + "," + formatNumber(frame.y) + "," + formatNumber(frame.width) +
           "," + formatNumber(frame.height);
}

std::string formatColor(const Color& color) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text = "#";
    for (double component : {color.red, color.green, color.blue}) {
        const int value = static_cast<int>(std::lround(std::clamp(component, 0.0, 1.0) * 255));
        text += kDigits[value / 16];
        text += kDigits[value % 16];
    }
    return text;
}
