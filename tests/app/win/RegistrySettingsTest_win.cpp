// The window's settings in the registry: each service's key sealed for the
// user under a value of its own, and a key that cannot be sealed reported
// rather than lost without a word.

#include "app/win/RegistrySettings_win.h"

#include <gtest/gtest.h>

#include "support/RaisedError.h"

namespace tarvex::win {
namespace {

TEST(RegistrySettings, KeysAreSealedPerServiceAndAFailedSealIsAnError) {
    RegistrySettings store("tarvex-test-keys", "Options");
    store.SaveSetting("service", "deepl");
    store.SaveSecret("key", "old-deepl:fx");  // as an earlier version kept it
    store.SaveSecret("key_openai", "");
    const WindowSettings loaded = LoadWindowSettings(store);
    EXPECT_EQ(loaded.Service.KeyOf("deepl"), "old-deepl:fx");
    EXPECT_EQ(loaded.Service.KeyOf("openai"), "");
    EXPECT_EQ(store.GetSecret("key_deepl"), "old-deepl:fx");
    EXPECT_EQ(store.GetSetting("key"), "");
    EXPECT_EQ(store.GetSetting("key_deepl").find("old-deepl"), std::string::npos);  // never in clear

    RegistrySettings failing("tarvex-test-keys", "Options",
                             [](const std::string&) -> std::optional<std::string> { return std::nullopt; });
    EXPECT_EQ(test::ErrorRaisedBy([&] { failing.SaveSecret("key_deepl", "new-key"); }).Number(),
              ErrorNumber::PermissionDenied);
    EXPECT_EQ(store.GetSecret("key_deepl"), "old-deepl:fx");  // the sealed one is kept
}

}  // namespace
}  // namespace tarvex::win
