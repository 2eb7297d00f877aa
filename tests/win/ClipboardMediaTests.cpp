// ClipboardMedia: identifiers, accepted requests, media produced for a request and read back
// from data objects other programs build.
#include <gtest/gtest.h>

#include "ole/win32/ClipboardMedia.h"
#include "win/TestDataObject.h"

namespace nesk {
namespace {

using K = TClipboardFormatKind;
using Block = std::vector<uint8_t>;

class ClipboardMedia : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr))); }
    void TearDown() override { OleUninitialize(); }
};

TEST_F(ClipboardMedia, IdentifiersAreTheSystemsAndStayFixed)
{
    EXPECT_EQ(ClipboardFormatId(K::AnsiText), CF_TEXT);
    EXPECT_EQ(ClipboardFormatId(K::File), CF_HDROP);
    EXPECT_EQ(ClipboardFormatId(K::PerformedDropEffect), RegisterClipboardFormatW(L"Performed DropEffect"));
    EXPECT_EQ(ClipboardFormatId(K::UnicodeURL), RegisterClipboardFormatW(L"UniformResourceLocatorW"));
    EXPECT_EQ(ClipboardFormatId(K::AnsiURL), ClipboardFormatId(K::AnsiURL));
    EXPECT_EQ(FormatEtcOf(K::FileContents).lindex, 0);
    EXPECT_EQ(FormatEtcOf(K::AnsiURL).lindex, -1);
}

TEST_F(ClipboardMedia, AcceptedRequests)
{
    DVTARGETDEVICE device{};
    struct Case {
        const char* name;
        FORMATETC request;
        bool accepted;
    } cases[] = {
        {"plain", FormatEtcOf(K::AnsiURL, TYMED_HGLOBAL), true},
        {"any lindex", {ClipboardFormatId(K::AnsiURL), nullptr, DVASPECT_CONTENT, 7, TYMED_ISTREAM}, true},
        {"target device", {ClipboardFormatId(K::AnsiURL), &device, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}, false},
        {"other aspect", {ClipboardFormatId(K::AnsiURL), nullptr, DVASPECT_ICON, -1, TYMED_HGLOBAL}, false},
        {"no common medium", {ClipboardFormatId(K::AnsiURL), nullptr, DVASPECT_CONTENT, -1, TYMED_FILE}, false},
        {"other format", FormatEtcOf(K::AnsiText), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AcceptsFormat(K::AnsiURL, c.request), c.accepted) << c.name;
}

TEST_F(ClipboardMedia, MediumKindFollowsTheRequest)
{
    Block bytes{1, 2, 3, 4};
    struct Case {
        const char* name;
        DWORD tymed;
        DWORD produced;  // TYMED_NULL: nothing
    } cases[] = {
        {"global memory", TYMED_HGLOBAL, TYMED_HGLOBAL},
        {"stream", TYMED_ISTREAM, TYMED_ISTREAM},
        {"either: the stream", TYMED_HGLOBAL | TYMED_ISTREAM, TYMED_ISTREAM},
        {"every kind: global memory", static_cast<DWORD>(-1), TYMED_HGLOBAL},
        {"file only", TYMED_FILE, TYMED_NULL},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        STGMEDIUM medium;
        bool produced = ProduceMedium(K::PerformedDropEffect, FormatEtcOf(K::PerformedDropEffect, c.tymed), bytes, &medium);
        EXPECT_EQ(produced, c.produced != TYMED_NULL);
        EXPECT_EQ(medium.tymed, c.produced);
        if (produced) {
            EXPECT_EQ(ReadMedium(medium), bytes) << "read back from where the pointer stands";
        }
    }
    STGMEDIUM medium;
    EXPECT_FALSE(ProduceMedium(K::AnsiURL, FormatEtcOf(K::AnsiURL), {}, &medium)) << "nothing for no bytes";
    EXPECT_EQ(medium.tymed, static_cast<DWORD>(TYMED_NULL));
}

TEST_F(ClipboardMedia, ReadingFromDataObjects)
{
    const Block text{'h', 't', 't', 'p', ':', '/', '/', 'x', 0};
    Block big(3 * kStreamTransferBlock + 17);
    for (size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<uint8_t>(i * 7);
    struct Case {
        const char* name;
        Block bytes;
        DWORD tymed;
        ULONGLONG claimed;
        std::optional<Block> expected;
    } cases[] = {
        {"global memory", text, TYMED_HGLOBAL, 0, text},
        {"stream", text, TYMED_ISTREAM, 0, text},
        {"stream of several transfer blocks", big, TYMED_ISTREAM, 0, big},
        {"empty block: read, no bytes", {}, TYMED_HGLOBAL, 0, Block{}},
        {"stream claiming less than it holds", text, TYMED_ISTREAM, 4, Block(text.begin(), text.begin() + 4)},
        {"stream claiming more than it holds", text, TYMED_ISTREAM, 1000, text},
        {"stream claiming a terabyte", text, TYMED_ISTREAM, 1ull << 40, std::nullopt},
        {"medium kind the format does not travel in", text, TYMED_FILE, 0, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testing::TestDataObject data;
        data.Add(ClipboardFormatId(K::AnsiURL), c.bytes, c.tymed);
        data.At(ClipboardFormatId(K::AnsiURL)).claimedStreamSize = c.claimed;
        EXPECT_EQ(ReadFormat(&data, K::AnsiURL), c.expected);
        EXPECT_FALSE(ReadFormat(&data, K::AnsiText)) << "not offered";
    }
}

}  // namespace
}  // namespace nesk
