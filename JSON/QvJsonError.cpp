// The text form of an error trace used in log lines.
#include "QvJsonError.h"

std::string QvJsonErrorTraceText(const QvJsonErrorTrace& trace) {
    std::string text = "(";
    for (size_t i = 0; i < trace.size(); ++i) {
        if (i > 0) {
            text += "; ";
        }
        text += std::to_string(trace[i].code);
        text += ": ";
        text += trace[i].description;
    }
    text += ")";
    return text;
}
