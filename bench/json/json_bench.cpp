// bench-json [DATA-DIR]: parse and write throughput of the codec, RapidJSON and nlohmann/json,
// and parse throughput of simdjson, on twitter.json, citm_catalog.json and canada.json.
//
// Prints one line per measurement, "parse FILE LIBRARY MBPS" or "write FILE LIBRARY MBPS", where
// MBPS is megabytes (10^6 bytes) of the file's JSON text per second, from the median of many
// timed runs. Only the parse or the write itself is timed: building the input text and freeing
// the parsed value happen outside the clock.
#include <rapidjson/document.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>
#include <simdjson.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iostream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "QvJsonParser.h"
#include "QvJsonWriter.h"

namespace {

// Each measurement is the median of at least kMinRuns timed runs lasting kMinSeconds in all,
// after kWarmUpRuns untimed ones that bring the code, the data and the heap into shape.
constexpr int kWarmUpRuns = 3;
constexpr size_t kMinRuns = 21;
constexpr double kMinSeconds = 0.5;

// Keeps results alive past the timed section so the compiler cannot drop the work.
size_t sink = 0;

// Median seconds of calls of `run`, each preceded by an untimed `prepare`.
double medianSeconds(const std::function<void()>& prepare, const std::function<void()>& run) {
    for (int i = 0; i < kWarmUpRuns; ++i) {
        prepare();
        run();
    }
    std::vector<double> seconds;
    double total = 0;
    while (seconds.size() < kMinRuns || total < kMinSeconds) {
        prepare();
        const auto start = std::chrono::steady_clock::now();
        run();
        seconds.push_back(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        total += seconds.back();
    }
    const auto middle = seconds.begin() + static_cast<ptrdiff_t>(seconds.size() / 2);
    std::nth_element(seconds.begin(), middle, seconds.end());
    return *middle;
}

void report(const char* operation, const std::string& file, const char* library, size_t bytes,
            double seconds) {
    std::printf("%s %s %s %.1f\n", operation, file.c_str(), library, bytes / seconds / 1e6);
    std::fflush(stdout);
}

void benchmarkCodec(const std::string& file, const std::string& text) {
    QvJsonParser parser;
    std::optional<QvJsonValue> value;
    report("parse", file, "kalvorn", text.size(),
           medianSeconds([&] { value.reset(); }, [&] { value = parser.objectWithString(text); }));
    if (!value) {
        std::cerr << "bench-json: kalvorn refused " << file << '\n';
        return;
    }
    QvJsonWriter writer;
    std::optional<std::string> written;
    report("write", file, "kalvorn", text.size(),
           medianSeconds([&] { written.reset(); },
                         [&] { written = writer.stringWithObject(*value); }));
    sink += written ? written->size() : 0;
}

void benchmarkRapidJson(const std::string& file, const std::string& text) {
    std::unique_ptr<rapidjson::Document> document;
    report("parse", file, "rapidjson", text.size(),
           medianSeconds([&] { document = std::make_unique<rapidjson::Document>(); },
                         [&] { document->Parse(text.data(), text.size()); }));
    // Cleared, not renewed: the buffer keeps its memory between runs, as our writer keeps the
    // size of its last output.
    rapidjson::StringBuffer buffer;
    report("write", file, "rapidjson", text.size(),
           medianSeconds([&] { buffer.Clear(); },
                         [&] {
                             rapidjson::Writer<rapidjson::StringBuffer> writer(buffer);
                             document->Accept(writer);
                         }));
    sink += buffer.GetSize();
}

void benchmarkNlohmann(const std::string& file, const std::string& text) {
    nlohmann::json document;
    report("parse", file, "nlohmann", text.size(),
           medianSeconds([&] { document = nullptr; },
                         [&] { document = nlohmann::json::parse(text); }));
    std::string written;
    report("write", file, "nlohmann", text.size(),
           medianSeconds([&] { written.clear(); }, [&] { written = document.dump(); }));
    sink += written.size();
}

void benchmarkSimdjson(const std::string& file, const std::string& text) {
    const simdjson::padded_string padded(text);
    simdjson::dom::parser parser;
    report("parse", file, "simdjson", text.size(),
           medianSeconds([] {},
                         [&] {
                             simdjson::dom::element root;
                             if (parser.parse(padded).get(root) == simdjson::SUCCESS) {
                                 ++sink;
                             }
                         }));
}

}  // namespace

int main(int argc, char** argv) {
    const std::string dataDir = argc > 1 ? argv[1] : KALVORN_BENCH_DATA_DIR;
    for (const std::string file : {"twitter.json", "citm_catalog.json", "canada.json"}) {
        std::ifstream in(dataDir + "/" + file, std::ios::binary);
        if (!in) {
            std::cerr << "bench-json: cannot read " << dataDir << "/" << file << '\n';
            return 1;
        }
        std::ostringstream contents;
        contents << in.rdbuf();
        const std::string text = contents.str();

        benchmarkCodec(file, text);
        benchmarkRapidJson(file, text);
        benchmarkNlohmann(file, text);
        benchmarkSimdjson(file, text);
    }
    return sink == 0 ? 1 : 0;
}
