// The state the parser, the writer and the facade share: the error trace of the last run, the
// current nesting depth and the nesting limit.
#pragma once

#include <cstdint>
#include <string>

#include "QvJsonError.h"

class QvJsonBase {
public:
    static constexpr uint32_t kDefaultMaxDepth = 512;

    QvJsonBase() = default;
    virtual ~QvJsonBase() = default;

    // Errors of the last run; empty when it succeeded.
    const QvJsonErrorTrace& errorTrace() const { return errorTrace_; }

    // The nesting limit; 0 switches the check off. With the check off, nesting costs stack in
    // proportion to its depth, so only trusted input should be read or written that way.
    virtual uint32_t maxDepth() const { return maxDepth_; }
    virtual void setMaxDepth(uint32_t maxDepth) { maxDepth_ = maxDepth; }

    // Appends an error whose underlying error is the one added before it.
    void addErrorWithCode(int code, std::string description);
    void clearErrorTrace() { errorTrace_.clear(); }

protected:
    // Entering an object or array. The depth is counted even with the check off, so that leaving
    // it always balances; false (after error 7) when the limit is exceeded.
    bool enterNesting();
    void leaveNesting() { --depth_; }

    void replaceErrorTrace(const QvJsonErrorTrace& trace) { errorTrace_ = trace; }

    uint32_t depth_ = 0;

private:
    QvJsonErrorTrace errorTrace_;
    uint32_t maxDepth_ = kDefaultMaxDepth;
};
