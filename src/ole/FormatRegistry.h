// The process-wide registry of OLE data formats: which clipboard formats carry which kind of
// data, in the order a drag source offers them and a drop target tries them.
//
// A drag source or drop target asks `CompatibleFormats(kind, tier)` once per data format and
// walks the answer in order; `InfoOf(format)` gives a clipboard format's name, direction and
// FORMATETC index. The byte layouts live in ClipboardBytes.h and URLDataFormat.h, the Windows
// media in win32/ClipboardMedia.h.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace nesk {

// The kinds of data the program works with.
enum class TDataFormatKind : uint8_t {
    Feedback,  // drop-effect values exchanged between source and target
    File,      // a list of paths
    FileMap,   // mapped names (never filled by this program)
    URL,       // a web link: 8-bit address, UTF-16 title
    Raw,       // formats a target stored into a source, kept opaque
};

// Every clipboard format the program reads or writes.
enum class TClipboardFormatKind : uint8_t {
    File,                        // CF_HDROP
    PIDL,                        // "Shell IDList Array"
    UnicodeFilename,             // "FileNameW"
    AnsiFilename,                // "FileName"
    UnicodeFilenameMap,          // "FileNameMapW"
    AnsiFilenameMap,             // "FileNameMap"
    UnicodeFileGroupDescriptor,  // "FileGroupDescriptorW"
    AnsiFileGroupDescriptor,     // "FileGroupDescriptor"
    FileContents,                // "FileContents"
    AnsiURL,                     // "UniformResourceLocator"
    AnsiText,                    // CF_TEXT
    PreferredDropEffect,         // "Preferred DropEffect"
    InShellDragLoop,             // "InShellDragLoop"
    PerformedDropEffect,         // "Performed DropEffect"
    LogicalPerformedDropEffect,  // "Logical Performed DropEffect"
    PasteSucceeded,              // "Paste Succeeded"
    TargetCLSID,                 // "TargetCLSID"
    // Read by the link target only, outside the registry: browsers offer it beside the 8-bit
    // address, and it is the one form of the address that survives characters outside the
    // ANSI code page.
    UnicodeURL,  // "UniformResourceLocatorW"
};

enum TDataDirection : uint8_t { ddRead = 1, ddWrite = 2 };  // bits of a direction set
using TDataDirections = uint8_t;

enum TConversionCapability : uint8_t { ccWriteToDataFormat = 1, ccReadFromDataFormat = 2 };
using TConversionCapabilities = uint8_t;
constexpr TConversionCapabilities kBothConversions = ccWriteToDataFormat | ccReadFromDataFormat;

enum class TDragDropTier : uint8_t { ddtSource, ddtTarget };

constexpr uint32_t kCfText = 1;
constexpr uint32_t kCfHdrop = 15;

struct ClipboardFormatInfo {
    const wchar_t* name;  // the registered name; null for a standard format
    uint32_t standardId;  // CF_TEXT or CF_HDROP; 0 for a registered format
    TDataDirections direction;
    int32_t lindex;  // of the format's FORMATETC
};
const ClipboardFormatInfo& InfoOf(TClipboardFormatKind format);

class TDataFormatMap {
public:
    struct Entry {
        TDataFormatKind dataFormat;
        TClipboardFormatKind clipboardFormat;
        int32_t priority;
        TConversionCapabilities capabilities;
        bool operator==(const Entry&) const = default;
    };

    void Add(TDataFormatKind dataFormat, TClipboardFormatKind clipboardFormat, int32_t priority,
             TConversionCapabilities capabilities);
    // The compatible clipboard formats of a data format for one side of a drag, in registry order.
    std::vector<TClipboardFormatKind> GetClipboardFormats(TDataFormatKind dataFormat, TDragDropTier tier) const;
    bool CanMap(TDataFormatKind dataFormat, TClipboardFormatKind clipboardFormat) const;
    void Delete(TDataFormatKind dataFormat, TClipboardFormatKind clipboardFormat);
    void DeleteByClipboardFormat(TClipboardFormatKind clipboardFormat);
    void DeleteByDataFormat(TDataFormatKind dataFormat);
    const std::vector<Entry>& Entries() const { return entries_; }

private:
    std::vector<Entry> entries_;
};

// The process-wide registry, created on first use.
TDataFormatMap& DataFormatMap();
// Registrations that start-up runs before the main window exists, in this order.
void RegisterDropEffectFormats();
void RegisterFileFormats();
void RegisterLinkFormats();
// Frees the registry; registrations after this are ignored. A look-up that follows creates an
// empty registry again and says so through the debug sink.
void FreeFormatRegistry();
// Start-up of a fresh process, for tests.
void ResetFormatRegistry();
using DebugSink = void (*)(const wchar_t* message);
void SetFormatRegistryDebugSink(DebugSink sink);

// Shorthand for the components: the registry's answer for a data format.
inline std::vector<TClipboardFormatKind> CompatibleFormats(TDataFormatKind dataFormat, TDragDropTier tier)
{
    return DataFormatMap().GetClipboardFormats(dataFormat, tier);
}

}  // namespace nesk
