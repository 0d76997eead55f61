#include <gtest/gtest.h>

#include "RaisedNumber.h"
#include "controls/cmdlg/CommonDialogError.h"
#include "controls/cmdlg/FileDialogText.h"

namespace tarvex::cmdlg {
namespace {

using test::NumberRaisedBy;

using namespace std::string_literals;

TEST(ConvertFilter, BarsBecomeNulsAndTheLengthStays) {
    std::string mainWindow =
        "File Subtitle (*.srt;*.txt)|*.srt;*.txt|SRT File Format (*.srt)|*.srt|"
        "TXT Simple Time Format (*.txt)|*.txt|All File (*.*)|*.*|";
    std::string converted = ConvertFilter(mainWindow);
    EXPECT_EQ(converted.size(), mainWindow.size());
    EXPECT_EQ(converted.substr(0, 40), "File Subtitle (*.srt;*.txt)\0*.srt;*.txt\0"s);
    EXPECT_EQ(converted.find('|'), std::string::npos);
    EXPECT_EQ(ConvertFilter("||"), "\0\0"s);
    EXPECT_EQ(ConvertFilter(""), "");
}

TEST(PrepareOpenRequest, SingleSelectionUsesNulPaddedBuffersAndKeepsEveryText) {
    FileDialogProperties properties{"film.srt", "Select Input Subtitle", "C:\\Subs", "Text|*.txt", -2, false};
    FileDialogRequest request = PrepareOpenRequest(properties);
    EXPECT_EQ(request.Flags, 0x1804u);
    ASSERT_EQ(request.FileBuffer.size(), 261u);
    EXPECT_EQ(request.FileBuffer, "film.srt"s + std::string(253, '\0'));
    EXPECT_EQ(request.TitleBuffer, std::string(261, '\0'));
    // One pair without a trailing bar still ends in the list's NUL pair once
    // the record's own terminator is counted.
    EXPECT_EQ(request.Filter, "Text\0*.txt\0"s);
    EXPECT_EQ(request.InitialDir, "C:\\Subs\0"s);
    EXPECT_EQ(request.Title, "Select Input Subtitle\0"s);
    EXPECT_EQ(request.FilterIndex, -2);

    FileDialogRequest empty = PrepareOpenRequest({});
    EXPECT_EQ(empty.InitialDir, "\0"s);
    EXPECT_EQ(empty.Title, "\0"s);
    EXPECT_EQ(empty.FilterIndex, 1);
}

TEST(PrepareOpenRequest, MultipleSelectionUsesLargeSpacePaddedBuffers) {
    FileDialogProperties properties;
    properties.MultiSelect = true;
    properties.DefaultFilename = "a.srt";
    FileDialogRequest request = PrepareOpenRequest(properties);
    EXPECT_EQ(request.Flags, 0x81A04u);
    ASSERT_EQ(request.FileBuffer.size(), 10000u);
    EXPECT_EQ(request.FileBuffer.substr(0, 6), "a.srt ");
    EXPECT_EQ(request.FileBuffer.back(), '\0');
    EXPECT_EQ(request.FileBuffer.find('\0'), 9999u);
    EXPECT_EQ(request.TitleBuffer, std::string(9999, ' ') + '\0');
}

TEST(PrepareRequests, DefaultFilenameTooLongFailsWithInvalidArgument) {
    FileDialogProperties single;
    single.DefaultFilename = std::string(260, 'x');
    EXPECT_EQ(PrepareOpenRequest(single).FileBuffer.find('\0'), 260u);
    EXPECT_EQ(PrepareSaveRequest(single).FileBuffer.size(), 261u);
    single.DefaultFilename.push_back('x');
    EXPECT_EQ(NumberRaisedBy([&] { PrepareOpenRequest(single); }), 5);
    EXPECT_EQ(NumberRaisedBy([&] { PrepareSaveRequest(single); }), 5);

    FileDialogProperties multi;
    multi.MultiSelect = true;
    multi.DefaultFilename = std::string(9999, 'x');
    EXPECT_EQ(PrepareOpenRequest(multi).FileBuffer.size(), 10000u);
    multi.DefaultFilename.push_back('x');
    EXPECT_EQ(NumberRaisedBy([&] { PrepareOpenRequest(multi); }), 5);
    // Saving never selects several files, so its limit stays 260.
    EXPECT_EQ(NumberRaisedBy([&] { PrepareSaveRequest(multi); }), 5);
}

TEST(PrepareSaveRequest, IgnoresMultiSelectAndAsksBeforeOverwriting) {
    FileDialogProperties properties;
    properties.MultiSelect = true;
    properties.Filter = "All|*.*|";
    properties.FilterIndex = 3;
    FileDialogRequest request = PrepareSaveRequest(properties);
    EXPECT_EQ(request.Flags, 0x806u);
    EXPECT_EQ(request.FileBuffer, std::string(261, '\0'));
    EXPECT_EQ(request.TitleBuffer.size(), 261u);
    EXPECT_EQ(request.Filter, "All\0*.*\0\0"s);
    EXPECT_EQ(request.FilterIndex, 3);
}

TEST(ParseFileResult, SinglePathGivesOneNameAndItsTitle) {
    FileResult result = ParseFileResult("C:\\Subs\\film.srt"s + std::string(245, '\0'));
    ASSERT_EQ(result.FileNames.Count(), 1);
    EXPECT_EQ(result.FileNames.Item(1), "C:\\Subs\\film.srt");
    EXPECT_EQ(result.FileTitles.Item(1), "film.srt");

    // A single choice with multiple selection on: the rest of the buffer is
    // the spaces it was padded with.
    result = ParseFileResult("C:\\a.srt\0\0"s + std::string(50, ' ') + '\0');
    EXPECT_EQ(result.FileNames.Items(), std::vector<std::string>{"C:\\a.srt"});
    EXPECT_EQ(result.FileTitles.Items(), std::vector<std::string>{"a.srt"});

    result = ParseFileResult("film.srt\0\0"s);
    EXPECT_EQ(result.FileTitles.Item(1), "film.srt");
}

TEST(ParseFileResult, SeveralFilesAreJoinedToTheirFolderInOrder) {
    FileResult result = ParseFileResult("C:\\Subs\0a.srt\0b.srt\0\0"s + std::string(20, ' '));
    EXPECT_EQ(result.FileNames.Items(), (std::vector<std::string>{"C:\\Subs\\a.srt", "C:\\Subs\\b.srt"}));
    EXPECT_EQ(result.FileTitles.Items(), (std::vector<std::string>{"a.srt", "b.srt"}));

    // A drive root already ends in a backslash.
    result = ParseFileResult("C:\\\0b.srt\0a.srt\0\0"s);
    EXPECT_EQ(result.FileNames.Items(), (std::vector<std::string>{"C:\\b.srt", "C:\\a.srt"}));
    EXPECT_EQ(result.FileTitles.Items(), (std::vector<std::string>{"b.srt", "a.srt"}));
}

TEST(ParseFileResult, BufferWithoutNulPairOrWithItTooFarFails) {
    EXPECT_EQ(NumberRaisedBy([] { ParseFileResult("C:\\a.srt\0"s + std::string(100, ' ')); }), 5);
    EXPECT_EQ(NumberRaisedBy([] { ParseFileResult(""); }), 5);
    // The pair's position is a 16-bit count: 32767 is the last one allowed.
    std::string path(32766, 'x');
    EXPECT_EQ(ParseFileResult(path + "\0\0"s).FileNames.Item(1).size(), 32766u);
    EXPECT_EQ(NumberRaisedBy([&] { ParseFileResult(path + "y\0\0"s); }), 6);
}

}  // namespace
}  // namespace tarvex::cmdlg
