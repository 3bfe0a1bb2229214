// libFuzzer target: any input must be parsed or refused with a reason, never crash, hang or leak;
// whatever parses must write and read back to an equal value, compact and indented.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "QvJsonParser.h"
#include "QvJsonWriter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    QvJsonParser parser;
    const std::optional<QvJsonValue> value = parser.fragmentWithString(text);
    if (!value) {
        if (parser.errorTrace().empty()) {
            std::abort();
        }
        return 0;
    }
    for (const bool indented : {false, true}) {
        QvJsonWriter writer;
        writer.setHumanReadable(indented);
        writer.setSortKeys(indented);
        const std::optional<std::string> written = writer.stringWithFragment(*value);
        if (!written) {
            std::abort();
        }
        QvJsonParser rereader;
        const std::optional<QvJsonValue> reread = rereader.fragmentWithString(*written);
        if (!reread || !(*reread == *value)) {
            std::abort();
        }
    }
    return 0;
}
