#include <gtest/gtest.h>

#include "base/LegacyEncoding.h"
#include "base/StringFiles.h"
#include "base/TextEncoding.h"
#include "support/RaisedError.h"

namespace tarvex {
namespace {

TEST(TextEncoding, FamiliesAndStrictUtf8) {
    EXPECT_EQ(DetectTextFamily("plain ascii"), TextFamily::Utf8);
    EXPECT_EQ(DetectTextFamily("caf\xC3\xA9"), TextFamily::Utf8);
    EXPECT_EQ(DetectTextFamily("\xEF\xBB\xBF"
                               "1"),
              TextFamily::Utf8Bom);
    EXPECT_EQ(DetectTextFamily(std::string("\xFF\xFE"
                                           "1\0",
                                           4)),
              TextFamily::Utf16Le);
    EXPECT_EQ(DetectTextFamily(std::string("\xFE\xFF\0"
                                           "1",
                                           4)),
              TextFamily::Utf16Be);
    EXPECT_EQ(DetectTextFamily("caf\xE9 cr\xE8me"), TextFamily::Legacy);
    // Overlong forms, encoded surrogates, code points past U+10FFFF and cut
    // sequences are not UTF-8.
    for (const char* bad : {"\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "ab\xE2\x82", "\x80"})
        EXPECT_FALSE(IsValidUtf8(bad)) << bad;
    EXPECT_TRUE(IsValidUtf8("\xF0\x9F\x98\x80 \xE4\xB8\xAD \xD0\x96 0123456789abcdef"));
}

TEST(TextEncoding, Utf16RoundTripsEveryUnit) {
    // "é", a pair (U+1F600), a lone high and a lone low surrogate, CR LF.
    const std::string units = std::string("\xE9\x00\x3D\xD8\x00\xDE\x00\xD8\x41\x00\x00\xDC\x0D\x00\x0A\x00", 16);
    const std::string utf8 = Utf16ToUtf8(units, false);
    EXPECT_EQ(utf8.substr(0, 6), "\xC3\xA9\xF0\x9F\x98\x80");
    EXPECT_EQ(Utf8ToUtf16(utf8, false), units);
    std::string big;
    for (size_t at = 0; at < units.size(); at += 2) big += std::string{units[at + 1], units[at]};
    EXPECT_EQ(Utf16ToUtf8(big, true), utf8);
    EXPECT_EQ(Utf8ToUtf16(utf8, true), big);
    EXPECT_EQ(test::NumberRaisedBy([] { Utf16ToUtf8("abc", false); }), ErrorNumber::InvalidCall);

    // Written in pieces that cut characters apart, it comes out whole, mark first.
    std::string written;
    StringOutput target(written);
    Utf16Output output(target, true);
    const std::string text = "a\xC3\xA9\xF0\x9F\x98\x80z";
    for (char c : text) output.Write(std::string_view(&c, 1));
    output.Close();
    EXPECT_EQ(written, "\xFE\xFF" + Utf8ToUtf16(text, true));
}

TEST(LegacyEncoding, CodePagesReadIntoUtf8) {
    EXPECT_EQ(LegacyToUtf8("Caf\xE9 cr\xE8me \x80", "windows-1252"), "Caf\xC3\xA9 cr\xC3\xA8me \xE2\x82\xAC");
    // The bytes the page leaves undefined read as Windows reads them, on every platform.
    for (const char* name : {"windows-1252", "CP1252"})
        EXPECT_EQ(LegacyToUtf8("a\x81\x8D\x8F\x90\x9Dz", name), "a\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9Dz");
    EXPECT_EQ(LegacyToUtf8("\xCF\xF0\xE8\xE2\xE5\xF2", "windows-1251"),
              "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82");
    EXPECT_TRUE(IsKnownLegacyEncoding(DefaultLegacyEncoding()));
    EXPECT_FALSE(IsKnownLegacyEncoding("no-such-page"));
    EXPECT_EQ(test::NumberRaisedBy([] { LegacyToUtf8("x", "no-such-page"); }), ErrorNumber::InvalidCall);
}

}  // namespace
}  // namespace tarvex
