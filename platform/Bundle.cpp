// Resource and documents paths of the running program.
#include "platform/Bundle.h"

#include <filesystem>
#include <system_error>

Bundle& Bundle::main() {
    static Bundle bundle;
    return bundle;
}

void Bundle::setResourcesDirectory(std::string directory) {
    resourcesDirectory_ = std::move(directory);
}

void Bundle::setDocumentsDirectory(std::string directory) {
    documentsDirectory_ = std::move(directory);
}

std::optional<std::string> Bundle::pathForResource(std::string_view name,
                                                   std::string_view type) const {
    if (name.empty()) {
        return std::nullopt;
    }
    std::string fileName(name);
    if (!type.empty()) {
        fileName += '.';
        fileName += type;
    }
    std::filesystem::path path = std::filesystem::path(resourcesDirectory_) / fileName;
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return std::nullopt;
    }
    return path.string();
}

std::string Bundle::pathInDocuments(std::string_view name) const {
    return (std::filesystem::path(documentsDirectory_) / name).string();
}
