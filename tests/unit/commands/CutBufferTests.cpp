// The cut buffer file: what a cut leaves in it, and what a paste reads back from it.
#include <gtest/gtest.h>

#include "commands/CutBuffer.h"
#include "fakes/FakePlatform.h"
#include "list/TextFile.h"

namespace nesk::testing {
namespace {

using Texts = std::vector<std::wstring>;
const std::wstring kBuffer = L"C:\\Data\\BuffFile.tmp";

class CutBufferTest : public fakes::FakePlatformTest {
protected:
    void SetUp() override
    {
        ForgetSmallFileEncodings();
        fake.fs.AddFolder(L"C:\\Data");
    }
};

TEST_F(CutBufferTest, HoldsTheBlockLowestRowFirstInTheCodePage)
{
    SaveCutBuffer(kBuffer, {L"C:\\d", L"C:\\b"});
    EXPECT_EQ(fake.fs.ContentString(kBuffer), "C:\\d\r\nC:\\b\r\n");

    Texts buffer{L"stale"};
    LoadCutBuffer(kBuffer, buffer);
    EXPECT_EQ(buffer, (Texts{L"C:\\d", L"C:\\b"}));
}

TEST_F(CutBufferTest, NamesTheCodePageCannotHoldComeBackWhole)
{
    Texts block{L"C:\\日本\\あ.txt", L"C:\\Ωmega\\ü.txt"};
    SaveCutBuffer(kBuffer, block);
    Texts buffer;
    LoadCutBuffer(kBuffer, buffer);
    EXPECT_EQ(buffer, block);
}

TEST_F(CutBufferTest, WithoutAFileTheBlockInMemoryStays)
{
    Texts buffer{L"C:\\kept"};
    LoadCutBuffer(kBuffer, buffer);
    EXPECT_EQ(buffer, (Texts{L"C:\\kept"}));
}

TEST_F(CutBufferTest, AFileWrittenByAnotherToolIsReadByItsMark)
{
    // UTF-16LE with its mark, as another program or an older version may have left it.
    fake.fs.AddFile(kBuffer, std::string("\xFF\xFE" "a\0\r\0\n\0b\0\r\0\n\0", 14));
    Texts buffer;
    LoadCutBuffer(kBuffer, buffer);
    EXPECT_EQ(buffer, (Texts{L"a", L"b"}));
}

TEST_F(CutBufferTest, FailuresReachTheCaller)
{
    fake.fs.AddFile(kBuffer, "C:\\old\r\n");
    fake.fs.Lock(kBuffer);
    Texts buffer{L"C:\\mine"};
    EXPECT_THROW(LoadCutBuffer(kBuffer, buffer), FileError);
    EXPECT_EQ(buffer, (Texts{L"C:\\mine"}));
    EXPECT_THROW(SaveCutBuffer(kBuffer, {L"C:\\new"}), FileError);
    fake.fs.Unlock(kBuffer);
    EXPECT_EQ(fake.fs.ContentString(kBuffer), "C:\\old\r\n");
}

}  // namespace
}  // namespace nesk::testing
