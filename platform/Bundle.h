// The application's two places on disk: the read-only resources directory (pictures, sounds,
// movies, layouts and the file templates) and the user's writable documents directory.
#pragma once

#include <optional>
#include <string>
#include <string_view>

class Bundle {
public:
    // The one bundle of the running program; its directories are set once at start.
    static Bundle& main();

    void setResourcesDirectory(std::string directory);
    const std::string& resourcesDirectory() const { return resourcesDirectory_; }

    // The full path of resource NAME.TYPE ("settings", "plist"), or absent when no such file
    // exists. An empty type looks the name up as it stands ("click.png").
    std::optional<std::string> pathForResource(std::string_view name, std::string_view type) const;

    void setDocumentsDirectory(std::string directory);
    const std::string& documentsDirectory() const { return documentsDirectory_; }

    // NAME in the documents directory, whether or not the file exists.
    std::string pathInDocuments(std::string_view name) const;

private:
    std::string resourcesDirectory_;
    std::string documentsDirectory_;
};
