#include <gtest/gtest.h>

#include <map>

#include "app/ServiceFields.h"
#include "app/StartupChecks.h"
#include "app/WindowSettings.h"

namespace tarvex {
namespace {

class MemoryStore : public SettingsStore {
public:
    std::string GetSetting(const std::string& key) override { return values[key]; }
    void SaveSetting(const std::string& key, const std::string& value) override {
        values[key] = value;
        order += key + " ";
    }
    // Sealed here by wrapping: enough to tell a secret from a setting.
    std::string GetSecret(const std::string& key) override {
        const std::string& value = values[key];
        return value.rfind("sealed:", 0) == 0 ? value.substr(7) : "";
    }
    void SaveSecret(const std::string& key, const std::string& value) override { SaveSetting(key, "sealed:" + value); }
    std::map<std::string, std::string> values;
    std::string order;
};

TEST(WindowSettings, DefaultsTrimmingAndPages) {
    MemoryStore store;
    WindowSettings first = LoadWindowSettings(store);
    EXPECT_EQ(first.ActiveTab, 0);
    EXPECT_EQ(first.RememberedFolder, "");
    EXPECT_EQ(first.SourceLanguage, "english");
    EXPECT_EQ(first.TargetLanguage, "indonesian");
    EXPECT_EQ(first.Service.Name, "google");
    EXPECT_EQ(first.Service.Url + first.Service.Model, "");
    EXPECT_TRUE(first.Service.Keys.empty());

    store.values = {{"tab", " 1 "},        {"lokasi", " C:\\Films "},     {"from", " french "},
                    {"to", "klingon"},     {"service", " openai "},       {"url", " http://h:1/v1 "},
                    {"model", " llama3 "}, {"key_openai", "sealed: k y "}};
    WindowSettings saved = LoadWindowSettings(store);
    EXPECT_EQ(saved.ActiveTab, 1);
    EXPECT_EQ(saved.RememberedFolder, " C:\\Films ");  // the folder is not trimmed
    EXPECT_EQ(saved.SourceLanguage, "french");
    EXPECT_EQ(saved.TargetLanguage, "klingon");  // a name not in the list still shows
    EXPECT_EQ(saved.Service.Name, "openai");
    EXPECT_EQ(saved.Service.Url, "http://h:1/v1");
    EXPECT_EQ(saved.Service.Model, "llama3");
    EXPECT_EQ(saved.Service.KeyOf("openai"), " k y ");  // a key is taken as it was given
    store.values["key_openai"] = " k y ";               // not sealed: not read as a key
    EXPECT_EQ(LoadWindowSettings(store).Service.KeyOf("openai"), "");
    store.values["key_openai"] = "sealed: k y ";
    for (const char* odd : {"2", "-1", "x", "01", ""}) {
        store.values["tab"] = odd;
        EXPECT_EQ(LoadWindowSettings(store).ActiveTab, 0) << odd;
    }

    store.order.clear();
    SaveWindowSettings(store, saved);
    EXPECT_EQ(
        store.order,
        "lokasi from to tab service url model key_google key_google-api key_libretranslate key_deepl key_openai ");
    EXPECT_EQ(store.values["tab"], "1");
    EXPECT_EQ(store.values["key_openai"], "sealed: k y ");
    EXPECT_EQ(store.values["key_deepl"], "sealed:");
}

// The one key of earlier versions belongs to the saved service only; a key
// kept for one service is never made into another's.
TEST(WindowSettings, EachServiceKeepsItsOwnKey) {
    MemoryStore store;
    store.values = {{"service", "deepl"}, {"key", "sealed:old-deepl:fx"}, {"key_openai", "sealed:model-key"}};
    const WindowSettings moved = LoadWindowSettings(store);
    EXPECT_EQ(moved.Service.Keys,
              (std::map<std::string, std::string>{{"deepl", "old-deepl:fx"}, {"openai", "model-key"}}));
    EXPECT_EQ(store.values["key_deepl"], "sealed:old-deepl:fx");
    EXPECT_EQ(store.values["key"], "");  // moved once, not again at the next start
    EXPECT_EQ(LoadWindowSettings(store).Service.Keys, moved.Service.Keys);

    // The box shows the chosen service's key, and what was typed stays with its service.
    ServiceChoice choice = moved.Service;
    EXPECT_EQ(SwitchKeyBox(choice, "deepl", "typed:fx", "openai"), "model-key");
    EXPECT_EQ(SwitchKeyBox(choice, "openai", "", "libretranslate"), "");
    EXPECT_EQ(SwitchKeyBox(choice, "libretranslate", "", "deepl"), "typed:fx");
    EXPECT_EQ(choice.Keys, (std::map<std::string, std::string>{{"deepl", "typed:fx"}}));
    for (const char* name : {"openai", "libretranslate", "deepl"}) {
        choice.Name = name;
        EXPECT_EQ(SettingsOf(choice, "english", "german").Key, choice.KeyOf(name)) << name;
    }
}

TEST(Startup, VersionDpiAndThemeNotice) {
    OsVersion seven = OsVersionFromWord(0x1DB10106);  // 6.1, build bits ignored
    EXPECT_EQ(seven.Major, 6);
    EXPECT_EQ(seven.Minor, 1);
    EXPECT_FALSE(NeedsDpiWarning(96));
    EXPECT_TRUE(NeedsDpiWarning(110));
    EXPECT_FALSE(NeedsDpiWarning(120));
    EXPECT_FALSE(NeedsDpiWarning(144));
    EXPECT_FALSE(NeedsDpiWarning(0));

    std::string vista = ComposeThemeNotice(seven);
    EXPECT_EQ(vista.rfind("You are running XpControls on Vista with themes disabled.\r\n\r\nPlease note", 0), 0u);
    EXPECT_NE(vista.find(" - legacy support has only been implemented for backwards compatibility.\r\n\r\n"),
              std::string::npos);
    EXPECT_NE(vista.find("To see the XpControls full potential, please enable themes.\r\n"), std::string::npos);
    EXPECT_EQ(vista.find("Please run this demo"), std::string::npos);

    std::string windows2000 = ComposeThemeNotice({5, 0});
    EXPECT_EQ(windows2000.rfind("You are running XpControls on Windows 2000.", 0), 0u);
    EXPECT_EQ(windows2000.find("To see"), std::string::npos);
    EXPECT_NE(windows2000.find("Please run this demo on an XP/Vista computer with themes enabled.\r\n"),
              std::string::npos);
    EXPECT_EQ(ComposeThemeNotice({5, 1}).rfind("You are running XpControls on XP with themes disabled.", 0), 0u);

    std::string ten = ComposeThemeNotice({10, 0});
    EXPECT_EQ(ten.rfind("Please note", 0), 0u);
    EXPECT_EQ(ten.substr(ten.size() - 61), "To see the XpControls full potential, please enable themes.\r\n");
}

TEST(WindowSettings, SyncChoiceKeptAsTheDialogLeftIt) {
    MemoryStore store;
    const SyncChoice first = LoadWindowSettings(store).Sync;
    EXPECT_EQ(first.Folder, "");
    EXPECT_TRUE(first.AllowCuts && first.CorrectSpeed);

    store.values = {{"synclokasi", " D:\\Refs "}, {"synccuts", " 0 "}, {"syncspeed", "yes"}};
    const SyncChoice saved = LoadWindowSettings(store).Sync;
    EXPECT_EQ(saved.Folder, " D:\\Refs ");  // a folder is not trimmed
    EXPECT_FALSE(saved.AllowCuts);
    EXPECT_TRUE(saved.CorrectSpeed);  // only "0" turns a kind of fit off

    store.values.clear();
    SaveSyncChoice(store, saved);
    EXPECT_EQ(store.order, "synclokasi synccuts syncspeed ");
    EXPECT_EQ(store.values["synccuts"], "0");
    EXPECT_EQ(store.values["syncspeed"], "1");
    EXPECT_EQ(LoadWindowSettings(store).Sync.Folder, " D:\\Refs ");
}

}  // namespace
}  // namespace tarvex
