#include <gtest/gtest.h>

#include <map>

#include "cli/CliArguments.h"
#include "cli/ServiceKey.h"
#include "support/RaisedError.h"
#include "support/TempFolder.h"

namespace tarvex::cli {
namespace {

TEST(CliArguments, ModeAmountAndFileInAnyOrder) {
    CliArguments parsed = ParseArguments({"shift", "movie.srt", "--minus", "01:02"});
    EXPECT_EQ(parsed.Which, Command::Shift);
    EXPECT_EQ(parsed.Request.PathText, "movie.srt");
    EXPECT_EQ(parsed.Request.ModeSelected, (std::array<bool, 3>{false, false, true}));
    EXPECT_EQ(parsed.Amount, "01:02");
    // After "--" a name that starts with a dash is a file.
    EXPECT_EQ(ParseArguments({"shift", "--start", "0:0", "--", "-odd.srt"}).Request.PathText, "-odd.srt");
    EXPECT_THROW(ParseArguments({"shift", "--start", "0:0", "-odd.srt"}), UsageError);
    CliArguments several = ParseArguments({"shift", "a.srt", "b.srt", "--plus", "0:1", "--", "--c.srt"});
    EXPECT_EQ(several.Files, (std::vector<std::string>{"a.srt", "b.srt", "--c.srt"}));
    EXPECT_EQ(several.Request.PathText, "a.srt");
    EXPECT_EQ(ParseArguments({"translate", "--from", "x", "a.srt", "--to", "y", "b.txt"}).Files,
              (std::vector<std::string>{"a.srt", "b.txt"}));
    EXPECT_THROW(ParseArguments({"shift", "a.srt", "--plus"}), UsageError);
}

TEST(CliArguments, ServiceOptionsAndNoKeyOnTheCommandLine) {
    CliArguments parsed =
        ParseArguments({"translate", "--from", "en", "--to", "id", "--service", "openai", "--url",
                        "http://localhost:11434/v1", "--model", "llama3.2:3b", "--api-key-file", "key.txt", "a.srt"});
    EXPECT_EQ(parsed.Service + "|" + parsed.Url + "|" + parsed.Model + "|" + parsed.ApiKeyFile,
              "openai|http://localhost:11434/v1|llama3.2:3b|key.txt");
    EXPECT_EQ(parsed.TimeoutSeconds, 0);  // the service's own
    EXPECT_EQ(ParseArguments({"languages", "--service", "deepl"}).Service, "deepl");
    for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
             {"translate", "--from", "en", "--to", "id", "--api-key", "secret", "a.srt"},
             {"translate", "--from", "en", "--to", "id", "--url", "ftp://host", "a.srt"},
             {"translate", "--from", "en", "--to", "id", "--url", "http://", "a.srt"},
             {"translate", "--from", "en", "--to", "id", "--url", "http://h/x y", "a.srt"},
             {"translate", "--from", "en", "--to", "id", "--model", "", "a.srt"},
             {"languages", "deepl"}})
        EXPECT_THROW(ParseArguments(bad), UsageError) << bad.back();
}

// A key set for one service is never sent to another: each service reads
// its own variable first, and only then the shared one.
TEST(ServiceKey, EachServiceTakesItsOwnKeyFirst) {
    const std::map<std::string, std::string> variables = {{"TARVEX_DEEPL_KEY", "deepl-key:fx"},
                                                          {"TARVEX_API_KEY", " shared\n"}};
    const Environment environment = [&](const char* name) -> const char* {
        auto found = variables.find(name);
        return found == variables.end() ? nullptr : found->second.c_str();
    };
    test::TempFolder folder;
    FileSystem& files = SystemFileSystem();
    struct Case {
        const char* Service;
        const char* Expected;
    } cases[] = {{"deepl", "deepl-key:fx"}, {"openai", "shared"}, {"libretranslate", "shared"}, {"google", "shared"}};
    for (const Case& each : cases) EXPECT_EQ(ChooseServiceKey(each.Service, "", files, environment), each.Expected);
    EXPECT_EQ(ChooseServiceKey("openai", "", files, [](const char*) -> const char* { return nullptr; }), "");

    // A file wins over every variable; its mark and blanks are not the key.
    const std::string keyFile = folder / "key.txt";
    test::WriteBytes(keyFile, "\xEF\xBB\xBF  file-key\t\r\n");
    EXPECT_EQ(ChooseServiceKey("deepl", keyFile, files, environment), "file-key");
    test::WriteBytes(keyFile, std::string(kMostKeyFileBytes, 'k'));
    EXPECT_EQ(ChooseServiceKey("deepl", keyFile, files, environment).size(), kMostKeyFileBytes);
    test::WriteBytes(keyFile, std::string(kMostKeyFileBytes + 1, 'k'));
    for (const std::string& path : {keyFile, folder / "missing.txt"}) {
        const RuntimeError refused = test::ErrorRaisedBy([&] { ChooseServiceKey("deepl", path, files, environment); });
        EXPECT_EQ(refused.Number(), ErrorNumber::BadServiceSettings);
        EXPECT_NE(refused.Description().find(path), std::string::npos);
        EXPECT_EQ(refused.Description().find("kkk"), std::string::npos);
    }
}

TEST(CliArguments, MinutesAreWholeAndSecondsMayCarryThreeDecimals) {
    std::string minutes, seconds;
    EXPECT_TRUE(SplitMinutesSeconds("1:5", minutes, seconds));
    EXPECT_EQ(minutes + "|" + seconds, "1|5");
    EXPECT_TRUE(SplitMinutesSeconds("0:01,25", minutes, seconds));
    EXPECT_EQ(minutes + "|" + seconds, "0|01,25");
    for (const char* good : {"59:59", "0:01.5", "0:00.040", "0:59.999"})
        EXPECT_TRUE(SplitMinutesSeconds(good, minutes, seconds)) << good;
    for (const char* bad : {"60:00", "00:60", "1", ":", "1:", ":1", "a:1", "1:2:3", "001:00", " 1:2", "+1:2", "0:1.",
                            "0:1.2345", "0.5:00", "0:60.0", "0:.5", "0:1.5.1"})
        EXPECT_FALSE(SplitMinutesSeconds(bad, minutes, seconds)) << bad;
    CliArguments fps = ParseArguments({"shift", "--fps", "25:23.976", "a.vtt"});
    EXPECT_EQ(fps.FrameRates, "25:23.976");
    EXPECT_THROW(ParseArguments({"shift", "--fps", "25:24", "--plus", "0:01", "a.srt"}), UsageError);
}

}  // namespace
}  // namespace tarvex::cli
