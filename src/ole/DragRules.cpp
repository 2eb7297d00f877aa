#include "ole/DragRules.h"

#include <algorithm>
#include <cstring>

#include "platform/Unicode.h"

namespace nesk {
namespace {

bool StartsWithIgnoringAsciiCase(const std::string& text, const char* prefix)
{
    size_t length = std::strlen(prefix);
    if (text.size() < length)
        return false;
    for (size_t i = 0; i < length; ++i) {
        char a = text[i];
        if (a >= 'A' && a <= 'Z')
            a = static_cast<char>(a - 'A' + 'a');
        if (a != prefix[i])
            return false;
    }
    return true;
}

bool NotInFileNames(char ch)
{
    return std::strchr("\"'*,/:<>?\\|", ch) != nullptr && ch != '\0';
}

// The text split into characters of one or two bytes; a lead byte at the very end stays alone.
std::vector<std::string> Characters(const std::string& text, LeadBytePredicate isLeadByte)
{
    std::vector<std::string> characters;
    for (size_t i = 0; i < text.size();) {
        size_t length = isLeadByte && isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
        characters.push_back(text.substr(i, length));
        i += length;
    }
    return characters;
}

void PutLittleEndian(std::vector<uint8_t>& block, size_t offset, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        block[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

constexpr uint32_t kFdLinkUi = 0x8000;
constexpr uint32_t kFdFileSize = 0x40;
constexpr size_t kMaxPath = 260;
constexpr size_t kNameOffset = 4 + 72;  // item count, then the descriptor's fields before the name
constexpr size_t kFileSizeLowOffset = 4 + 68;

std::vector<uint8_t> DescriptorWithoutName(size_t descriptorSize, uint32_t fileSize)
{
    std::vector<uint8_t> block(4 + descriptorSize, 0);
    PutLittleEndian(block, 0, 1);
    PutLittleEndian(block, 4, kFdLinkUi | kFdFileSize);
    PutLittleEndian(block, kFileSizeLowOffset, fileSize);
    return block;
}

}  // namespace

TDragResult DragResultOfEffect(uint32_t effect)
{
    switch (effect) {
    case kDropEffectNone: return drCancel;
    case kDropEffectCopy: return drDropCopy;
    case kDropEffectMove: return drDropMove;
    case kDropEffectLink: return drDropLink;
    default: return drUnknown;
    }
}

TDragResult DragResultOfLoop(int32_t returnCode, uint32_t effect, uint32_t allowed, int32_t performedDropEffect,
                             int32_t logicalPerformedDropEffect)
{
    switch (returnCode) {
    case kHrOutOfMemory:
        return drOutMemory;
    case kHrDragDropSDrop:
        // A target that moved the files itself reports so and leaves the loop's effect at none
        // (an optimized move): the source must not delete anything, but it was a move.
        if (logicalPerformedDropEffect == static_cast<int32_t>(kDropEffectMove) ||
            (effect != kDropEffectMove && performedDropEffect == static_cast<int32_t>(kDropEffectMove)))
            return drDropMove;
        return DragResultOfEffect(effect & allowed);
    case kHrDragDropSCancel:
        return drCancel;
    default:
        return drUnknown;
    }
}

ContinueDecision DecideContinueDrag(bool escapePressed, uint32_t keyState, uint32_t lastFeedbackEffect,
                                    TDragTypes allowed)
{
    ContinueDecision decision;
    if (escapePressed) {
        decision.result = kHrDragDropSCancel;
        return decision;
    }
    if (keyState & (kMkLButton | kMkRButton))
        return decision;
    decision.leavesShellLoop = true;
    decision.result = kHrDragDropSCancel;
    TDragType type;
    if (lastFeedbackEffect & kDropEffectCopy)
        type = dtCopy;
    else if (lastFeedbackEffect & kDropEffectMove)
        type = dtMove;
    else if (lastFeedbackEffect & kDropEffectLink)
        type = dtLink;
    else
        return decision;
    if (!allowed.Contains(type))
        return decision;
    decision.result = kHrDragDropSDrop;
    decision.dropTypeKnown = true;
    decision.dropType = type;
    return decision;
}

std::string MakeShortcutFileName(const std::string& text, LeadBytePredicate isLeadByte)
{
    std::string name = text;
    for (const char* scheme : {"http://", "ftp://", "mailto:", "file:"}) {
        if (StartsWithIgnoringAsciiCase(name, scheme)) {
            name.erase(0, std::strlen(scheme));
            break;
        }
    }
    std::vector<std::string> characters = Characters(name, isLeadByte);
    size_t bytes = 0, kept = 0;
    while (kept < characters.size() && bytes + characters[kept].size() <= 120)
        bytes += characters[kept++].size();
    characters.resize(kept);
    auto slash = std::find(characters.begin(), characters.end(), std::string("/"));
    characters.erase(slash, characters.end());

    // From the end: a run of such characters becomes one space, and a run at the end vanishes.
    bool nextChanged = true;
    for (size_t i = characters.size(); i-- > 0;) {
        std::string& ch = characters[i];
        if (ch.size() != 1 || !NotInFileNames(ch[0])) {
            nextChanged = false;
            continue;
        }
        ch = nextChanged ? std::string() : std::string(" ");
        nextChanged = true;
    }
    std::string result;
    for (const auto& ch : characters)
        result += ch;
    if (result.empty())
        result = "untitled";
    return result + ".url";
}

std::string InternetShortcutText(const std::string& url)
{
    return "[InternetShortcut]\r\nURL=" + url + "\r\n";
}

std::vector<uint8_t> LinkFileGroupDescriptorA(const std::string& ansiName, uint32_t fileSize)
{
    std::vector<uint8_t> block = DescriptorWithoutName(332, fileSize);
    size_t length = std::min(ansiName.size(), kMaxPath - 1);
    std::copy_n(ansiName.begin(), length, block.begin() + kNameOffset);
    return block;
}

std::vector<uint8_t> LinkFileGroupDescriptorW(const std::wstring& name, uint32_t fileSize)
{
    std::vector<uint8_t> block = DescriptorWithoutName(592, fileSize);
    std::u16string units = ToUtf16(name);
    size_t length = std::min(units.size(), kMaxPath - 1);
    for (size_t i = 0; i < length; ++i) {
        block[kNameOffset + 2 * i] = static_cast<uint8_t>(units[i]);
        block[kNameOffset + 2 * i + 1] = static_cast<uint8_t>(units[i] >> 8);
    }
    return block;
}

unsigned FileDragWaitMs(unsigned doubleClickTimeMs)
{
    return doubleClickTimeMs / 2 * 3;
}

}  // namespace nesk
