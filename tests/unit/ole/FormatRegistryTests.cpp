// The registry's orders: what drag sources offer and drop targets try, in which order.
#include <gtest/gtest.h>

#include "ole/FormatRegistry.h"

namespace nesk {
namespace {

using K = TClipboardFormatKind;
using Formats = std::vector<K>;

std::vector<std::wstring> Names(const Formats& formats)
{
    std::vector<std::wstring> names;
    for (K format : formats) {
        const ClipboardFormatInfo& info = InfoOf(format);
        names.push_back(info.name ? info.name : info.standardId == kCfHdrop ? L"CF_HDROP" : L"CF_TEXT");
    }
    return names;
}

class FormatRegistry : public ::testing::Test {
protected:
    void SetUp() override { ResetFormatRegistry(); }
    void TearDown() override { ResetFormatRegistry(); }
    static void RegisterAtStartUp()
    {
        RegisterDropEffectFormats();
        RegisterFileFormats();
        RegisterLinkFormats();
    }
};

TEST_F(FormatRegistry, StartUpRegistrationsGiveTheOrdersSourcesAndTargetsUse)
{
    RegisterAtStartUp();
    struct Case {
        TDataFormatKind dataFormat;
        std::vector<std::wstring> expected;
    } cases[] = {
        {TDataFormatKind::Feedback,
         {L"Logical Performed DropEffect", L"TargetCLSID", L"InShellDragLoop", L"Paste Succeeded",
          L"Preferred DropEffect", L"Performed DropEffect"}},
        {TDataFormatKind::File, {L"CF_HDROP", L"Shell IDList Array", L"FileNameW", L"FileName"}},
        {TDataFormatKind::FileMap, {L"FileNameMapW", L"FileNameMap"}},
        {TDataFormatKind::URL,
         {L"FileGroupDescriptorW", L"FileGroupDescriptor", L"FileContents", L"UniformResourceLocator", L"CF_TEXT",
          L"CF_HDROP"}},
        {TDataFormatKind::Raw, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.dataFormat));
        EXPECT_EQ(Names(CompatibleFormats(c.dataFormat, TDragDropTier::ddtSource)), c.expected);
        EXPECT_EQ(Names(CompatibleFormats(c.dataFormat, TDragDropTier::ddtTarget)), c.expected);
    }
}

TEST_F(FormatRegistry, TiersFollowCapabilitiesAndDirections)
{
    TDataFormatMap map;
    map.Add(TDataFormatKind::URL, K::AnsiURL, 0, ccWriteToDataFormat);             // read by targets only
    map.Add(TDataFormatKind::URL, K::PerformedDropEffect, 0, ccWriteToDataFormat);  // written: sources too
    map.Add(TDataFormatKind::URL, K::AnsiText, 5, ccReadFromDataFormat);           // read: targets too
    map.Add(TDataFormatKind::URL, K::TargetCLSID, 6, ccReadFromDataFormat);        // written: not targets
    EXPECT_EQ(map.GetClipboardFormats(TDataFormatKind::URL, TDragDropTier::ddtSource),
              (Formats{K::PerformedDropEffect, K::AnsiText, K::TargetCLSID}));
    EXPECT_EQ(map.GetClipboardFormats(TDataFormatKind::URL, TDragDropTier::ddtTarget),
              (Formats{K::AnsiURL, K::PerformedDropEffect, K::AnsiText}));
}

TEST_F(FormatRegistry, AddingAgainMovesTheEntryAndKeepsPriorityUnlessReadingIsGiven)
{
    TDataFormatMap map;
    map.Add(TDataFormatKind::Feedback, K::InShellDragLoop, 0, kBothConversions);  // the registry's first entry
    map.Add(TDataFormatKind::URL, K::AnsiURL, 5, kBothConversions);
    map.Add(TDataFormatKind::URL, K::AnsiText, 7, kBothConversions);
    map.Add(TDataFormatKind::URL, K::AnsiURL, 1, ccWriteToDataFormat);  // priority stays 5
    EXPECT_EQ(map.GetClipboardFormats(TDataFormatKind::URL, TDragDropTier::ddtTarget), (Formats{K::AnsiURL, K::AnsiText}));
    map.Add(TDataFormatKind::URL, K::AnsiURL, 9, ccReadFromDataFormat);
    EXPECT_EQ(map.GetClipboardFormats(TDataFormatKind::URL, TDragDropTier::ddtTarget), (Formats{K::AnsiText, K::AnsiURL}));
    EXPECT_EQ(map.Entries().back(), (TDataFormatMap::Entry{TDataFormatKind::URL, K::AnsiURL, 9, kBothConversions}));

    map.DeleteByClipboardFormat(K::AnsiText);
    EXPECT_FALSE(map.CanMap(TDataFormatKind::URL, K::AnsiText));
    map.DeleteByDataFormat(TDataFormatKind::URL);
    EXPECT_EQ(map.Entries().size(), 1u);
}

TEST_F(FormatRegistry, AfterShutdownRegistrationsAreIgnoredAndLookUpsSayTheyRecreate)
{
    static std::vector<std::wstring> messages;
    messages.clear();
    SetFormatRegistryDebugSink([](const wchar_t* message) { messages.push_back(message); });
    RegisterAtStartUp();
    FreeFormatRegistry();
    RegisterLinkFormats();
    EXPECT_TRUE(CompatibleFormats(TDataFormatKind::URL, TDragDropTier::ddtTarget).empty());
    EXPECT_EQ(messages, (std::vector<std::wstring>{L"DragDrop.TDataFormatMap recreated during shutdown"}));
    SetFormatRegistryDebugSink(nullptr);
}

}  // namespace
}  // namespace nesk
