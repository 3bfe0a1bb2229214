// The settings store and the start-up's reading of the settings, on real files in a fresh
// documents directory.
#include <gtest/gtest.h>
#include <plist/plist.h>

#include <filesystem>
#include <fstream>

#include "app/AppDelegate_All.h"
#include "app/SettingManagement.h"
#include "platform/Bundle.h"
#include "platform/Platform.h"
#include "platform/PropertyList.h"
#include "tests/support/TemporaryDirectory.h"

namespace {

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        Platform::installHeadless();
        Bundle::main().setResourcesDirectory(KALVORN_TEST_RESOURCES_DIR);
        Bundle::main().setDocumentsDirectory(documents.path().string());
    }

    std::string settingsFile() const { return documents.file("settings.plist"); }

    // A program start: a fresh application state that runs its launch.
    void start() {
        app.reset();
        app = std::make_unique<AppDelegate_iPhone>();
        app->didFinishLaunching();
    }

    void writeFile(const std::string& content) { std::ofstream(settingsFile()) << content; }

    std::string readFile() const {
        std::ifstream in(settingsFile());
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    TemporaryDirectory documents;
    std::unique_ptr<AppDelegate_All> app;
};

TEST_F(SettingsTest, FirstStartCopiesTheTemplatesButReadsNothing) {
    start();
    EXPECT_TRUE(std::filesystem::exists(settingsFile()));
    EXPECT_TRUE(std::filesystem::exists(documents.file("baza.sqlite")));
    EXPECT_EQ(app->login, "");
    EXPECT_EQ(app->music, "");
    EXPECT_EQ(app->score, "");
    EXPECT_TRUE(app->ustawienia.empty());
    EXPECT_FALSE(app->isLoggedIn());
}

TEST_F(SettingsTest, SecondStartReadsTheCopiedTemplateAndLaterChanges) {
    start();
    SettingManagement().saveSetting("music", "0");
    start();
    EXPECT_EQ(app->music, "0");
    EXPECT_EQ(app->score, "0 pts");
    EXPECT_EQ(app->autologin, "0");
    EXPECT_EQ(app->ustawienia.at("music"), "0");
}

TEST_F(SettingsTest, SavingWithoutAFileKeepsTheTemplatesOtherKeys) {
    start();
    std::filesystem::remove(settingsFile());
    SettingManagement().saveSetting("handgun", "1");
    std::optional<StringMap> stored = PropertyList::readStringMap(settingsFile());
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->at("handgun"), "1");
    EXPECT_EQ(stored->at("score"), "0 pts");
    // The in-memory copy follows at once, without a restart.
    EXPECT_EQ(app->ustawienia.at("handgun"), "1");
    EXPECT_EQ(app->ustawienia.at("music"), "1");
}

TEST_F(SettingsTest, EmptyValuesAreStoredNotDropped) {
    start();
    SettingManagement settings;
    settings.saveSetting("login", "ala");
    settings.saveSetting("login", "");
    EXPECT_EQ(settings.readSetting("login"), std::optional<std::string>(""));
    EXPECT_EQ(settings.readSetting("nothing-here"), std::nullopt);
}

TEST_F(SettingsTest, TextIsStoredExactly) {
    start();
    const std::string name = "Zażółć <gęślą> & \"jaźń\" 'ok'";
    SettingManagement().saveSetting("login", name);
    start();
    EXPECT_EQ(app->login, name);
}

TEST_F(SettingsTest, UnreadableFilesAreLeftAloneAndReadAsEmpty) {
    const std::vector<std::string> unreadable{
        "not a property list at all",
        "<?xml version=\"1.0\"?><plist version=\"1.0\"><array><string>x</string></array></plist>",
        "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>music</key><integer>1</integer>"
        "</dict></plist>",
    };
    for (const std::string& content : unreadable) {
        SCOPED_TRACE(content);
        writeFile(content);
        start();
        EXPECT_EQ(app->music, "");
        app->ustawienia["stale"] = "1";
        SettingManagement settings;
        settings.saveSetting("music", "1");
        EXPECT_EQ(readFile(), content);
        EXPECT_TRUE(app->ustawienia.empty());
        EXPECT_EQ(settings.readSetting("music"), std::nullopt);
    }
}

TEST_F(SettingsTest, BinaryPropertyListsAreRead) {
    plist_t root = plist_new_dict();
    plist_dict_set_item(root, "music", plist_new_string("0"));
    plist_dict_set_item(root, "login", plist_new_string("ola"));
    char* data = nullptr;
    uint32_t length = 0;
    plist_to_bin(root, &data, &length);
    std::ofstream(settingsFile(), std::ios::binary).write(data, length);
    plist_to_bin_free(data);
    plist_free(root);

    start();
    EXPECT_EQ(app->music, "0");
    EXPECT_EQ(app->login, "ola");
    EXPECT_TRUE(app->isLoggedIn());
}

TEST_F(SettingsTest, WritesLeaveNoTemporaryFilesBehind) {
    start();
    for (int i = 0; i < 5; ++i) {
        SettingManagement().saveSetting("music", std::to_string(i % 2));
    }
    size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(documents.path())) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 2u) << "settings.plist and baza.sqlite only";
}

TEST_F(SettingsTest, MissingDocumentsDirectoryLeavesEverythingEmpty) {
    Bundle::main().setDocumentsDirectory(documents.file("does/not/exist"));
    start();
    EXPECT_TRUE(app->ustawienia.empty());
    SettingManagement settings;
    settings.saveSetting("music", "1");
    EXPECT_EQ(settings.readSetting("music"), std::nullopt);
}

}  // namespace
