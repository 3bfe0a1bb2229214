// Reads and writes single keys of the settings file "settings.plist" in the documents
// directory, and refreshes the application state's copy of the settings after each write.
// Holds no state: make one, use it for one call, let it go.
#pragma once

#include <optional>
#include <string>

class SettingManagement {
public:
    // The settings file's full path; the template "settings" of type "plist" is copied there
    // first when no file exists (a failed copy is logged and otherwise ignored).
    std::string settingsPath();

    // Stores one value. When the file cannot be read as a map of texts nothing is stored, the
    // file is left as it is, and the application state's settings become empty. A failed write
    // is logged; the application state still gets the updated map.
    void saveSetting(const std::string& key, const std::string& value);

    // One value read fresh from the file; absent when the key or a readable file is missing.
    std::optional<std::string> readSetting(const std::string& key);
    // The same without making the settings file when there is none yet.
    std::optional<std::string> readStoredSetting(const std::string& key);
};
