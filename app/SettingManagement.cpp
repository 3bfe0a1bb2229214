// The settings store.
#include "app/SettingManagement.h"

#include <cstdio>
#include <filesystem>

#include "app/AppDelegate_All.h"
#include "platform/Bundle.h"
#include "platform/PropertyList.h"

namespace {

constexpr const char* kSettingsFileName = "settings.plist";

void copyTemplateIfMissing(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    if (fs::exists(path, error)) {
        return;
    }
    std::optional<std::string> templatePath = Bundle::main().pathForResource("settings", "plist");
    if (!templatePath) {
        std::fprintf(stderr, "settings: the template settings.plist is missing\n");
        return;
    }
    if (!fs::copy_file(*templatePath, path, error)) {
        std::fprintf(stderr, "settings: cannot copy the template to %s: %s\n", path.c_str(),
                     error.message().c_str());
    }
}

}  // namespace

std::string SettingManagement::settingsPath() {
    std::string path = Bundle::main().pathInDocuments(kSettingsFileName);
    copyTemplateIfMissing(path);
    return path;
}

void SettingManagement::saveSetting(const std::string& key, const std::string& value) {
    const std::string path = settingsPath();
    std::optional<StringMap> settings = PropertyList::readStringMap(path);
    if (!settings) {
        std::fprintf(stderr, "settings: %s is not a readable settings file; %s not stored\n",
                     path.c_str(), key.c_str());
        AppDelegate_All::shared().ustawienia.clear();
        return;
    }
    (*settings)[key] = value;
    if (!PropertyList::writeStringMapAtomically(path, *settings)) {
        std::fprintf(stderr, "settings: cannot write %s\n", path.c_str());
    }
    AppDelegate_All::shared().ustawienia = std::move(*settings);
}

std::optional<std::string> SettingManagement::readSetting(const std::string& key) {
    settingsPath();
    return readStoredSetting(key);
}

std::optional<std::string> SettingManagement::readStoredSetting(const std::string& key) {
    std::optional<StringMap> settings =
        PropertyList::readStringMap(Bundle::main().pathInDocuments(kSettingsFileName));
    if (!settings) {
        return std::nullopt;
    }
    auto entry = settings->find(key);
    if (entry == settings->end()) {
        return std::nullopt;
    }
    return entry->second;
}
