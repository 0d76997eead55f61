#include <gtest/gtest.h>

#include "translate/Languages.h"

namespace tarvex {
namespace {

class RecordingList : public LanguageList {
public:
    void Clear() override { Items.clear(); }
    void AddItem(const std::string& name) override { Items.push_back(name); }
    std::vector<std::string> Items{"left over"};
};

TEST(LanguageCode, NamesCodesAndEverythingElse) {
    EXPECT_EQ(LanguageCode("chinese"), "zh-CN");
    EXPECT_EQ(LanguageCode("hebrew"), "iw");
    EXPECT_EQ(LanguageCode("filipino"), "tl");
    EXPECT_EQ(LanguageCode("haitian creole"), "ht");
    EXPECT_EQ(LanguageCode("africaans"), "af");
    EXPECT_EQ(LanguageCode("yiddish"), "yi");
    EXPECT_EQ(LanguageCode("zh"), "zh");  // two characters are taken as a code
    EXPECT_EQ(LanguageCode("x"), "x");
    EXPECT_EQ(LanguageCode(""), "");
    EXPECT_EQ(LanguageCode("zh-TW"), "auto");
    EXPECT_EQ(LanguageCode("English"), "auto");
    EXPECT_EQ(LanguageCode("english "), "auto");
    EXPECT_EQ(LanguageCode("auto"), "auto");
}

TEST(FillLanguageList, ReplacesTheItemsWithTheTable) {
    RecordingList list;
    FillLanguageList(list);
    ASSERT_EQ(list.Items.size(), 63u);
    EXPECT_EQ(list.Items.front(), "africaans");
    EXPECT_EQ(list.Items.back(), "yiddish");
    // Every listed name finds its code, and every code but one has two characters.
    for (const std::string& name : list.Items) {
        std::string code = LanguageCode(name);
        EXPECT_NE(code, "auto") << name;
        if (name != "chinese") {
            EXPECT_EQ(code.size(), 2u) << name;
        }
    }
}

}  // namespace
}  // namespace tarvex
