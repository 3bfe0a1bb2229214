// Parsing of the `kalvorn` command line.
#include "Shared/LaunchOptions.h"

#include <cstdlib>
#include <functional>
#include <map>

std::string launchOptionsUsage() {
    return "Usage: kalvorn [OPTIONS]\n"
           "Runs the Kalvorn game.\n"
           "\n"
           "  --profile phone|tablet   screen set and window size (480x320 or 1024x768); phone\n"
           "  --service-url URL        base address of the web service; http://127.0.0.1:8642/\n"
           "  --request-timeout SECONDS  a web service reply must arrive whole within this\n"
           "                           time; 30\n"
           "  --ca-file FILE           certificate authorities that an https service URL is\n"
           "                           checked against; the system's when not given\n"
           "  --documents DIR          where settings and results are kept;\n"
           "                           $XDG_DATA_HOME/kalvorn/documents\n"
           "  --leaderboard-file FILE  where the local leaderboard appends each reported total;\n"
           "                           leaderboard.txt in the documents directory\n"
           "  --resources DIR          pictures, sounds, movies and layouts; ../resources\n"
           "                           beside the program\n"
           "  --device-model ID        device model identifier, e.g. iPhone1,1\n"
           "  --headless               no window; the clock is virtual\n"
           "  --script FILE            run the scripted session in FILE, then exit\n"
           "  --screenshot-dir DIR     where screenshot steps write their pictures\n"
           "  --help                   show this text\n";
}

std::variant<LaunchOptions, std::string> parseLaunchOptions(const std::vector<std::string>& args) {
    LaunchOptions options;
    using Setter = std::function<std::optional<std::string>(const std::string&)>;
    auto text = [](std::string& field) -> Setter {
        return [&field](const std::string& value) -> std::optional<std::string> {
            field = value;
            return std::nullopt;
        };
    };
    auto optionalText = [](std::optional<std::string>& field) -> Setter {
        return [&field](const std::string& value) -> std::optional<std::string> {
            field = value;
            return std::nullopt;
        };
    };
    const std::map<std::string, Setter> withValue{
        {"--profile",
         [&](const std::string& value) -> std::optional<std::string> {
             if (value == "phone") {
                 options.profile = LaunchOptions::Profile::Phone;
             } else if (value == "tablet") {
                 options.profile = LaunchOptions::Profile::Tablet;
             } else {
                 return "--profile takes phone or tablet, not '" + value + "'";
             }
             return std::nullopt;
         }},
        {"--service-url",
         [&](const std::string& value) -> std::optional<std::string> {
             if (!value.starts_with("http://") && !value.starts_with("https://")) {
                 return "--service-url takes an http:// or https:// address, not '" + value + "'";
             }
             options.serviceUrl = value.ends_with('/') ? value : value + "/";
             return std::nullopt;
         }},
        {"--request-timeout",
         [&](const std::string& value) -> std::optional<std::string> {
             char* end = nullptr;
             const double seconds = std::strtod(value.c_str(), &end);
             if (end != value.c_str() + value.size() || !(seconds > 0 && seconds <= 3600)) {
                 return "--request-timeout takes seconds from above 0 to 3600, not '" + value + "'";
             }
             options.requestTimeoutSeconds = seconds;
             return std::nullopt;
         }},
        {"--ca-file", text(options.caFile)},
        {"--documents", text(options.documentsDirectory)},
        {"--resources", text(options.resourcesDirectory)},
        {"--leaderboard-file", optionalText(options.leaderboardFile)},
        {"--device-model", optionalText(options.deviceModel)},
        {"--script", optionalText(options.scriptPath)},
        {"--screenshot-dir", optionalText(options.screenshotDirectory)},
    };

    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            options.showHelp = true;
            continue;
        }
        if (arg == "--headless") {
            options.headless = true;
            continue;
        }
        std::string name = arg;
        std::optional<std::string> value;
        if (size_t equals = arg.find('='); arg.starts_with("--") && equals != std::string::npos) {
            name = arg.substr(0, equals);
            value = arg.substr(equals + 1);
        }
        auto option = withValue.find(name);
        if (option == withValue.end()) {
            return "unknown option '" + arg + "' (see --help)";
        }
        if (!value) {
            if (i + 1 >= args.size()) {
                return name + " needs a value (see --help)";
            }
            value = args[++i];
        }
        if (value->empty()) {
            return name + " needs a value (see --help)";
        }
        if (std::optional<std::string> error = option->second(*value)) {
            return *error;
        }
    }
    return options;
}
