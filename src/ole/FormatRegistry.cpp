#include "ole/FormatRegistry.h"

#include <algorithm>

namespace nesk {
namespace {

using K = TClipboardFormatKind;

const ClipboardFormatInfo& InfoTable(K format)
{
    static const ClipboardFormatInfo kRead{nullptr, 0, ddRead, -1};
    static const ClipboardFormatInfo kTable[] = {
        {nullptr, kCfHdrop, ddRead, -1},
        {L"Shell IDList Array", 0, ddRead, -1},
        {L"FileNameW", 0, ddRead, -1},
        {L"FileName", 0, ddRead, -1},
        {L"FileNameMapW", 0, ddRead, -1},
        {L"FileNameMap", 0, ddRead, -1},
        {L"FileGroupDescriptorW", 0, ddRead, -1},
        {L"FileGroupDescriptor", 0, ddRead, -1},
        {L"FileContents", 0, ddRead, 0},
        {L"UniformResourceLocator", 0, ddRead, -1},
        {nullptr, kCfText, ddRead, -1},
        {L"Preferred DropEffect", 0, ddRead, -1},
        {L"InShellDragLoop", 0, ddRead, -1},
        {L"Performed DropEffect", 0, ddWrite, -1},
        {L"Logical Performed DropEffect", 0, ddWrite, -1},
        {L"Paste Succeeded", 0, ddWrite, -1},
        {L"TargetCLSID", 0, ddWrite, -1},
        {L"UniformResourceLocatorW", 0, ddRead, -1},
    };
    auto index = static_cast<size_t>(format);
    return index < std::size(kTable) ? kTable[index] : kRead;
}

std::unique_ptr<TDataFormatMap>& Registry()
{
    static std::unique_ptr<TDataFormatMap> registry;
    return registry;
}

bool gShutDown = false;
DebugSink gDebugSink = nullptr;

}  // namespace

const ClipboardFormatInfo& InfoOf(TClipboardFormatKind format) { return InfoTable(format); }

void TDataFormatMap::Add(TDataFormatKind dataFormat, TClipboardFormatKind clipboardFormat, int32_t priority,
                         TConversionCapabilities capabilities)
{
    auto found = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) {
        return e.dataFormat == dataFormat && e.clipboardFormat == clipboardFormat;
    });
    Entry entry{dataFormat, clipboardFormat, 0, capabilities};
    if (found != entries_.end()) {
        entry = *found;
        entry.capabilities |= capabilities;
        entries_.erase(found);
    }
    if (capabilities & ccReadFromDataFormat)
        entry.priority = priority;
    entries_.push_back(entry);

    // Keep each data format's entries in ascending priority, a newcomer before its equals. The
    // search for an earlier entry of the same data format never looks at the registry's very
    // first entry: an entry whose only elder is that one stays where it was appended. Which
    // orders come out of this is what drag sources offer and targets try, so it stays as is.
    size_t last = entries_.size() - 1;
    bool hasElder = false;
    for (size_t i = last; i-- > 1;)
        if (entries_[i].dataFormat == dataFormat) {
            hasElder = true;
            break;
        }
    if (!hasElder)
        return;
    for (size_t i = 0; i < last; ++i) {
        if (entries_[i].dataFormat == dataFormat && entries_[i].priority >= entry.priority) {
            entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(last));
            entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(i), entry);
            return;
        }
    }
}

std::vector<TClipboardFormatKind> TDataFormatMap::GetClipboardFormats(TDataFormatKind dataFormat,
                                                                      TDragDropTier tier) const
{
    std::vector<TClipboardFormatKind> formats;
    for (const Entry& e : entries_) {
        if (e.dataFormat != dataFormat)
            continue;
        TDataDirections direction = InfoOf(e.clipboardFormat).direction;
        bool taken = tier == TDragDropTier::ddtSource
                         ? (e.capabilities & ccReadFromDataFormat) || (direction & ddWrite)
                         : (e.capabilities & ccWriteToDataFormat) || (direction & ddRead);
        if (taken)
            formats.push_back(e.clipboardFormat);
    }
    return formats;
}

bool TDataFormatMap::CanMap(TDataFormatKind dataFormat, TClipboardFormatKind clipboardFormat) const
{
    return std::any_of(entries_.begin(), entries_.end(), [&](const Entry& e) {
        return e.dataFormat == dataFormat && e.clipboardFormat == clipboardFormat;
    });
}

void TDataFormatMap::Delete(TDataFormatKind dataFormat, TClipboardFormatKind clipboardFormat)
{
    std::erase_if(entries_,
                  [&](const Entry& e) { return e.dataFormat == dataFormat && e.clipboardFormat == clipboardFormat; });
}

void TDataFormatMap::DeleteByClipboardFormat(TClipboardFormatKind clipboardFormat)
{
    std::erase_if(entries_, [&](const Entry& e) { return e.clipboardFormat == clipboardFormat; });
}

void TDataFormatMap::DeleteByDataFormat(TDataFormatKind dataFormat)
{
    std::erase_if(entries_, [&](const Entry& e) { return e.dataFormat == dataFormat; });
}

TDataFormatMap& DataFormatMap()
{
    auto& registry = Registry();
    if (!registry) {
        if (gShutDown && gDebugSink)
            gDebugSink(L"DragDrop.TDataFormatMap recreated during shutdown");
        registry = std::make_unique<TDataFormatMap>();
    }
    return *registry;
}

namespace {

void Register(TDataFormatKind dataFormat, std::initializer_list<std::pair<K, int32_t>> formats)
{
    if (gShutDown)
        return;
    for (auto [format, priority] : formats)
        DataFormatMap().Add(dataFormat, format, priority, kBothConversions);
}

}  // namespace

void RegisterDropEffectFormats()
{
    Register(TDataFormatKind::Feedback, {{K::PreferredDropEffect, 0},
                                         {K::PerformedDropEffect, 0},
                                         {K::PasteSucceeded, 0},
                                         {K::InShellDragLoop, 0},
                                         {K::TargetCLSID, 0},
                                         {K::LogicalPerformedDropEffect, 0}});
}

void RegisterFileFormats()
{
    // The two file name formats register themselves, the 8-bit one twice; the second time
    // changes nothing.
    Register(TDataFormatKind::File, {{K::File, 0}, {K::PIDL, 1}, {K::AnsiFilename, 3}, {K::AnsiFilename, 3},
                                     {K::UnicodeFilename, 2}});
    Register(TDataFormatKind::FileMap, {{K::AnsiFilenameMap, 0}, {K::UnicodeFilenameMap, -1}});
}

void RegisterLinkFormats()
{
    Register(TDataFormatKind::URL, {{K::AnsiFileGroupDescriptor, 0},
                                    {K::UnicodeFileGroupDescriptor, -1},
                                    {K::FileContents, 1},
                                    {K::AnsiURL, 2},
                                    {K::AnsiText, 3},
                                    {K::File, 4}});
}

void FreeFormatRegistry()
{
    gShutDown = true;
    Registry().reset();
}

void ResetFormatRegistry()
{
    gShutDown = false;
    Registry().reset();
}

void SetFormatRegistryDebugSink(DebugSink sink) { gDebugSink = sink; }

}  // namespace nesk
