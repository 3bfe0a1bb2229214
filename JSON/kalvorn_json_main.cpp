// kalvorn-json: parses or reformats JSON text from a file or standard input with the codec.
//
//   kalvorn-json parse [--fragment] [FILE|-]
//   kalvorn-json format [--sort-keys] [--human-readable] [FILE|-]
//
// Exit status: 0 on success, 1 when the text is refused (the error trace goes to standard error,
// one "CODE: MESSAGE" a line, innermost first), 2 for a bad command line or an unreadable file.
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "QvJSON.h"

namespace {

constexpr const char* kUsage =
    "usage: kalvorn-json parse [--fragment] [FILE|-]\n"
    "       kalvorn-json format [--sort-keys] [--human-readable] [FILE|-]\n";

struct Options {
    std::string command;
    std::string path = "-";
    bool fragment = false;
    bool sortKeys = false;
    bool humanReadable = false;
};

std::optional<Options> readOptions(int argc, char** argv) {
    if (argc < 2) {
        return std::nullopt;
    }
    Options options;
    options.command = argv[1];
    if (options.command != "parse" && options.command != "format") {
        return std::nullopt;
    }
    bool havePath = false;
    for (int i = 2; i < argc; ++i) {
        const std::string argument = argv[i];
        if (options.command == "parse" && argument == "--fragment") {
            options.fragment = true;
        } else if (options.command == "format" && argument == "--sort-keys") {
            options.sortKeys = true;
        } else if (options.command == "format" && argument == "--human-readable") {
            options.humanReadable = true;
        } else if (!havePath && (argument == "-" || argument.rfind("--", 0) != 0)) {
            options.path = argument;
            havePath = true;
        } else {
            return std::nullopt;
        }
    }
    return options;
}

std::optional<std::string> readInput(const std::string& path) {
    if (path == "-") {
        return std::string(std::istreambuf_iterator<char>(std::cin), {});
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    std::ostringstream contents;
    contents << file.rdbuf();
    return contents.str();
}

int reportFailure(const QvJsonErrorTrace& trace) {
    for (const QvJsonError& error : trace) {
        std::cerr << error.code << ": " << error.description << '\n';
    }
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::optional<Options> options = readOptions(argc, argv);
    if (!options) {
        std::cerr << kUsage;
        return 2;
    }
    const std::optional<std::string> input = readInput(options->path);
    if (!input) {
        std::cerr << "kalvorn-json: cannot read " << options->path << '\n';
        return 2;
    }

    QvJsonParser parser;
    const bool anyValue = options->command == "format" || options->fragment;
    const std::optional<QvJsonValue> value =
        anyValue ? parser.fragmentWithString(*input) : parser.objectWithString(*input);
    if (!value) {
        return reportFailure(parser.errorTrace());
    }

    QvJsonWriter writer;
    writer.setSortKeys(options->command == "parse" || options->sortKeys);
    writer.setHumanReadable(options->humanReadable);
    const std::optional<std::string> text = writer.stringWithFragment(*value);
    if (!text) {
        return reportFailure(writer.errorTrace());
    }
    std::cout << *text << '\n';
    return 0;
}
