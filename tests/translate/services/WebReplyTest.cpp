#include <gtest/gtest.h>

#include "translate/FitLines.h"
#include "translate/services/RawJson.h"
#include "translate/services/WebReply.h"

namespace tarvex {
namespace {

using Lines = std::vector<std::string>;

TEST(WebReply, FindsTheTranslationInEveryShapeTheServiceWrites) {
    struct Case {
        const char* Reply;
        Lines Expected;
    };
    const Case cases[] = {
        // Sentence segments, newer shape: nulls and trailing extras.
        {R"([[["Pardon? ","Pardon? ",null,null,3,null,null,[[]],[[["x"]]]],["Si tu étais un homme,\n","If you were a man,\n",null,null,3],["je te boxerais.","I would box you.",null,null,3]],null,"fr",null,null,null,1,[],[["en"],null,[1],["en"]]])",
         {"Pardon? Si tu étais un homme,", "je te boxerais."}},
        // Older shape: left-out elements between commas.
        {R"([[["Halo\n","Hello\n",,,1],["Dunia","World",,,1]],,"en",,,,0.9])", {"Halo", "Dunia"}},
        // A line break in the middle of a segment, and one sentence over two lines.
        {R"([[["A\nB. ","a\nb. "],["C","c"]]])", {"A", "B. C"}},
        // Plain strings: first element, or first of the first.
        {R"(["Bonjour","Hello"])", {"Bonjour"}},
        {R"([["Bonjour","en"]])", {"Bonjour"}},
        // Segments whose first element is no string add nothing.
        {R"([[[null,"x"],["Oui","yes"],[3]]])", {"Oui"}},
        // An escaped quote before a comma does not end the text.
        {R"([[["Il a dit \"non\", puis","x"]]])", {R"(Il a dit"non", puis)"}},
        // Escapes decoded: markup, a surrogate pair, a lone surrogate, a backslash before n.
        {R"([[["\u003ci\u003e \u0026 \u003d \u00e9 \ud83d\ude00 \udc00 a\\nb \/ \t|","x"]]])",
         {"<i> & = \xC3\xA9 \xF0\x9F\x98\x80 \xEF\xBF\xBD a\\nb / \t|"}},
        // A CR or LF in the decoded text cannot add a line (or a cue) to the output.
        {"[[[\"X\\r00:00:00,000 --> 99:00:00,000\rY\",\"x\"]]]", {"X 00:00:00,000 --> 99:00:00,000 Y"}},
        {R"([[["  padded  \n Hello . , ' end","x"]]])", {"padded", "Hello.,' end"}},
    };
    for (const Case& c : cases) EXPECT_EQ(ReadReplyLines(c.Reply), c.Expected) << c.Reply;
}

TEST(WebReply, RepliesWithoutATranslationGiveNoLine) {
    for (const char* reply :
         {"", "   ", "<html><body>unusual traffic [\"trap\",</body></html>", R"({"error":"x"})", "[]", "[null,\"en\"]",
          "[[]]", "[[[1,2]]]x", R"([["no end)", R"([[["a"],,)", "42", R"("just a string")", "[[{\"a\":1}]]"})
        EXPECT_FALSE(ReplyTranslationText(reply).has_value()) << reply;
    // A reply nested past any real shape is refused, not followed down.
    EXPECT_FALSE(ScanRawJson(std::string(100000, '[') + std::string(100000, ']')).has_value());
    EXPECT_TRUE(ScanRawJson(R"({"a":[1,-2.5e3,true,false,null],"b":{}})").has_value());
}

TEST(FitLines, KeepsEveryLineWithinTheLinesSent) {
    struct Case {
        Lines Translated;
        Lines Sent;
        const char* Text;
        bool Untranslated;
    };
    const Case cases[] = {
        {{"A", "B"}, {"a", "b"}, "A\r\nB", false},
        // More lines than sent: the rest joins the last, empty ones left out.
        {{"A", "B", "", "C"}, {"a", "b"}, "A\r\nB C", false},
        {{"A", "B", "C"}, {"a"}, "A B C", false},
        // Fewer stay fewer; a blank line would end the block early, so it goes.
        {{"A"}, {"a", "b"}, "A", false},
        {{"", "B"}, {"a", "b"}, "B", false},
        {{"A", " ", "B"}, {"a", "b", "c"}, "A\r\nB", false},
        {{"A", "\r\n", "B"}, {"a", "b", "c"}, "A\r\nB", false},
        // A NUL in a reply is never written.
        {{std::string("A\0B", 3)}, {"a"}, "AB", false},
        {{std::string(1, '\0')}, {"a"}, "a", true},
        // Nothing, or only blanks: the source lines, counted.
        {{}, {"a", "b"}, "a\r\nb", true},
        {{" ", ""}, {"a"}, "a", true},
        // Nothing was there to translate: not counted, and no line for no line.
        {{}, {""}, "", false},
        {{"X"}, {}, "", false},
        {{"A\rB\nC"}, {"a"}, "A B C", false},
    };
    for (const Case& c : cases) {
        const BlockTranslation fitted = FitLines(c.Translated, c.Sent);
        EXPECT_EQ(fitted.Text, c.Text);
        EXPECT_EQ(fitted.Untranslated, c.Untranslated) << c.Text;
    }
}

}  // namespace
}  // namespace tarvex
