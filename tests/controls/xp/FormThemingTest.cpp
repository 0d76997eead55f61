#include <gtest/gtest.h>

#include "base/RuntimeError.h"
#include "controls/xp/FormTheming.h"

namespace tarvex::xp {
namespace {

using host::ControlKind;

struct FakeControl : host::FormControl {
    ControlKind kind = ControlKind::Other;
    std::string tag;
    double left = 300, top = 600;
    bool hasFont = true;
    std::string fontName = "Arial";
    int refreshes = 0;
    bool failRefresh = false;

    ControlKind Kind() const override { return kind; }
    host::WindowHandle Window() const override { return 0; }
    host::WindowHandle ContainerWindow() const override { return 0; }
    std::string Tag() const override { return tag; }
    double Left() const override { return left; }
    double Top() const override { return top; }
    void SetLeft(double twips) override { left = twips; }
    void SetTop(double twips) override { top = twips; }
    bool HasFont() const override { return hasFont; }
    void SetFontName(const std::string& name) override {
        if (!hasFont) throw RuntimeError(438, "Object doesn't support this property or method");
        fontName = name;
    }
    bool TrySetEnabled(bool) override { return false; }
    bool TrySetVisible(bool) override { return false; }
    void Refresh() override {
        if (failRefresh) throw RuntimeError(91, "Object variable not set");
        ++refreshes;
    }
};

struct FakeForm : host::ParentForm {
    std::vector<FakeControl*> controls;
    std::string Name() const override { return "frmUtama"; }
    host::WindowHandle Window() const override { return 1; }
    std::vector<host::FormControl*> Controls() const override { return {controls.begin(), controls.end()}; }
    double TwipsPerPixelX() const override { return 15; }
    double TwipsPerPixelY() const override { return 12; }
};

TEST(ThemeFormControls, ShiftsTaggedControlsAndAppliesTheThemeFont) {
    FakeControl both, plainText, label, frame, fontless;
    both.kind = plainText.kind = ControlKind::TextBox;
    both.tag = "x OnXpBox ThemeMyFont";
    label.kind = ControlKind::Label;
    frame.tag = "OnXpBox";
    fontless.hasFont = false;
    FakeForm form;
    form.controls = {&both, &plainText, &label, &frame, &fontless};
    int pumps = 0;
    auto all = ThemeFormControlsOn(form, true, "Tahoma", [&] { ++pumps; });
    EXPECT_EQ(all.size(), 5u);
    EXPECT_EQ(pumps, 5);
    EXPECT_EQ(both.top, 576);  // 2 pixels of 12 twips
    EXPECT_EQ(both.left, 270);
    EXPECT_EQ(both.fontName, "Tahoma");
    EXPECT_EQ(plainText.fontName, "Arial");  // untagged text box keeps its font
    EXPECT_EQ(plainText.top, 600);
    EXPECT_EQ(label.fontName, "Tahoma");
    EXPECT_EQ(label.refreshes, 1);
    EXPECT_EQ(frame.top, 576);
    EXPECT_EQ(frame.refreshes, 0);
}

TEST(ThemeFormControls, WithoutStylesNothingMovesButFontsApply) {
    FakeControl frame;
    frame.tag = "OnXpBox";
    FakeForm form;
    form.controls = {&frame};
    ThemeFormControlsOn(form, false, "MS Sans Serif", [] { throw RuntimeError(5); });
    EXPECT_EQ(frame.top, 600);
    EXPECT_EQ(frame.left, 300);
    EXPECT_EQ(frame.fontName, "MS Sans Serif");
}

TEST(RefreshXpControls, RefreshesOnlyThemedControlsAndAsksOnFailure) {
    FakeControl box, option, text, broken, after;
    box.kind = broken.kind = after.kind = ControlKind::GroupBox;
    option.kind = ControlKind::OptionCheck;
    text.kind = ControlKind::TextBox;
    broken.failRefresh = true;
    FakeForm form;
    form.controls = {&box, &option, &text};
    EXPECT_TRUE(RefreshXpControlsOn(form, [](const std::string&) { return false; }));
    EXPECT_EQ(box.refreshes + option.refreshes, 2);
    EXPECT_EQ(text.refreshes, 0);

    form.controls = {&broken, &after};
    std::string asked;
    EXPECT_TRUE(RefreshXpControlsOn(form, [&](const std::string& report) {
        asked = report;
        return true;  // Yes: go on with the next control
    }));
    EXPECT_EQ(after.refreshes, 1);
    EXPECT_NE(asked.find("Error number\t: 91\r\n"), std::string::npos);
    EXPECT_NE(asked.find("Error Object\t: frmUtama\r\n"), std::string::npos);
    EXPECT_FALSE(RefreshXpControlsOn(form, [](const std::string&) { return false; }));
    EXPECT_EQ(after.refreshes, 1);  // No: the pass ends at the failure
}

}  // namespace
}  // namespace tarvex::xp
