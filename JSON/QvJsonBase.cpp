// Error trace and nesting depth shared by the parser, the writer and the facade.
#include "QvJsonBase.h"

void QvJsonBase::addErrorWithCode(int code, std::string description) {
    QvJsonError error{std::string(QvJSONErrorDomain), code, std::move(description), nullptr};
    if (!errorTrace_.empty()) {
        error.underlyingError = std::make_shared<const QvJsonError>(errorTrace_.back());
    }
    errorTrace_.push_back(std::move(error));
}

bool QvJsonBase::enterNesting() {
    ++depth_;
    if (maxDepth_ != 0 && depth_ > maxDepth_) {
        addErrorWithCode(QvJsonErrorNestedTooDeep, "Nested too deep");
        return false;
    }
    return true;
}
