#include <gtest/gtest.h>

#include "app/LinkActions.h"
#include "support/RecordingPanel.h"

namespace tarvex {
namespace {

TEST(LinkActions, DonateAsksForAConnectionFirst) {
    test::RecordingPanel prompts;
    EXPECT_FALSE(DonateClick(false, prompts).has_value());
    ASSERT_EQ(prompts.Messages.size(), 1u);
    EXPECT_EQ(prompts.Messages[0].Text, "Internet not connected");
    EXPECT_EQ(prompts.Messages[0].Title, "Not Connected");
    EXPECT_EQ(prompts.Messages[0].Icon, MessageIcon::Exclamation);

    std::optional<ShellOpen> page = DonateClick(true, prompts);
    ASSERT_TRUE(page.has_value());
    EXPECT_EQ(prompts.Messages.size(), 1u);
    EXPECT_EQ(page->Verb, "open");
    EXPECT_NE(page->Address.find("/cgi-bin/webscr?cmd=_s-xclick&hosted_button_id="), std::string::npos);
    EXPECT_EQ(page->Parameters, "");
    EXPECT_EQ(page->Folder, "");
    EXPECT_EQ(page->ShowCommand, 3);

    ShellOpen maker = MakerLinkClick();
    EXPECT_EQ(maker.Address, kMakerAddress);
    EXPECT_EQ(maker.ShowCommand, 3);
}

}  // namespace
}  // namespace tarvex
