#include "ole/win32/ClipboardMedia.h"

#include <ole2.h>

#include <algorithm>
#include <array>
#include <cstring>

namespace nesk {
namespace {

constexpr size_t kFormatCount = static_cast<size_t>(TClipboardFormatKind::UnicodeURL) + 1;

// The medium's global block, locked for the life of the object.
class LockedBlock {
public:
    explicit LockedBlock(HGLOBAL block) : block_(block), data_(block ? GlobalLock(block) : nullptr) {}
    ~LockedBlock()
    {
        if (data_)
            GlobalUnlock(block_);
    }
    LockedBlock(const LockedBlock&) = delete;
    LockedBlock& operator=(const LockedBlock&) = delete;
    uint8_t* Data() const { return static_cast<uint8_t*>(data_); }

private:
    HGLOBAL block_;
    void* data_;
};

HGLOBAL FilledBlock(const FormatBytes& bytes)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes.size());
    if (!block)
        return nullptr;
    {
        LockedBlock locked(block);
        if (locked.Data()) {
            std::memcpy(locked.Data(), bytes.data(), bytes.size());
            return block;
        }
    }
    GlobalFree(block);
    return nullptr;
}

std::optional<FormatBytes> ReadGlobal(HGLOBAL block)
{
    SIZE_T size = block ? GlobalSize(block) : 0;
    if (size == 0)
        return FormatBytes{};
    if (size > kMaxMediumBytes)
        return std::nullopt;
    LockedBlock locked(block);
    if (!locked.Data())
        return std::nullopt;
    return FormatBytes(locked.Data(), locked.Data() + size);
}

// Up to `wanted` bytes from the stream's position on; stops when a read gives nothing.
void ReadStreamBytes(IStream* stream, uint64_t wanted, FormatBytes& out)
{
    std::vector<uint8_t> transfer(static_cast<size_t>(std::min<uint64_t>(wanted, kStreamTransferBlock)));
    while (out.size() < wanted) {
        ULONG ask = static_cast<ULONG>(std::min<uint64_t>(wanted - out.size(), transfer.size()));
        ULONG got = 0;
        HRESULT hr = stream->Read(transfer.data(), ask, &got);
        if (FAILED(hr) || got == 0)
            break;
        out.insert(out.end(), transfer.begin(), transfer.begin() + std::min(got, ask));
    }
}

std::optional<FormatBytes> ReadStream(IStream* stream)
{
    STATSTG stat{};
    if (!stream || FAILED(stream->Stat(&stat, STATFLAG_NONAME)))
        return std::nullopt;
    uint64_t size = stat.cbSize.QuadPart;
    if (size > kMaxMediumBytes)
        return std::nullopt;
    FormatBytes bytes;
    ReadStreamBytes(stream, size, bytes);
    if (bytes.empty() && size > 0) {
        // Some sources hand over a stream left at the end of what they wrote: take it from the start.
        LARGE_INTEGER start{};
        if (SUCCEEDED(stream->Seek(start, STREAM_SEEK_SET, nullptr)))
            ReadStreamBytes(stream, size, bytes);
    }
    return bytes;
}

}  // namespace

CLIPFORMAT ClipboardFormatId(TClipboardFormatKind format)
{
    static std::array<CLIPFORMAT, kFormatCount> ids{};
    auto index = static_cast<size_t>(format);
    if (index >= kFormatCount)
        return 0;
    if (!ids[index]) {
        const ClipboardFormatInfo& info = InfoOf(format);
        ids[index] = static_cast<CLIPFORMAT>(info.name ? RegisterClipboardFormatW(info.name) : info.standardId);
    }
    return ids[index];
}

FORMATETC FormatEtcOf(TClipboardFormatKind format, DWORD tymed)
{
    return FORMATETC{ClipboardFormatId(format), nullptr, DVASPECT_CONTENT, InfoOf(format).lindex, tymed};
}

bool AcceptsFormat(TClipboardFormatKind format, const FORMATETC& request)
{
    return request.cfFormat == ClipboardFormatId(format) && request.ptd == nullptr &&
           request.dwAspect == DVASPECT_CONTENT && (request.tymed & kSimpleMediumMask) != 0;
}

bool ProduceMedium(TClipboardFormatKind format, const FORMATETC& request, const FormatBytes& bytes,
                   STGMEDIUM* medium)
{
    if (!medium)
        return false;
    *medium = STGMEDIUM{};
    if (!AcceptsFormat(format, request) || bytes.empty())
        return false;
    bool everyKind = request.tymed == static_cast<DWORD>(-1);
    if (!everyKind && (request.tymed & TYMED_ISTREAM)) {
        HGLOBAL block = FilledBlock(bytes);
        if (!block)
            return false;
        IStream* stream = nullptr;
        if (FAILED(CreateStreamOnHGlobal(block, TRUE, &stream)) || !stream) {
            GlobalFree(block);
            return false;
        }
        // The pointer stays at the start: readers that read from where it stands get it all,
        // and those that seek first lose nothing.
        medium->tymed = TYMED_ISTREAM;
        medium->pstm = stream;
        return true;
    }
    if (request.tymed & TYMED_HGLOBAL) {
        HGLOBAL block = FilledBlock(bytes);
        if (!block)
            return false;
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = block;
        return true;
    }
    return false;
}

DWORD ValidTymeds(IDataObject* dataObject, TClipboardFormatKind format)
{
    DWORD valid = 0;
    if (!dataObject)
        return valid;
    for (DWORD bit : {DWORD{TYMED_HGLOBAL}, DWORD{TYMED_ISTREAM}}) {
        FORMATETC query = FormatEtcOf(format, bit);
        if (dataObject->QueryGetData(&query) == S_OK)
            valid |= bit;
    }
    return valid;
}

std::optional<FormatBytes> ReadFormat(IDataObject* dataObject, TClipboardFormatKind format)
{
    DWORD valid = ValidTymeds(dataObject, format);
    if (!valid)
        return std::nullopt;
    FORMATETC request = FormatEtcOf(format, valid);
    STGMEDIUM medium{};
    if (dataObject->GetData(&request, &medium) != S_OK)
        return std::nullopt;
    return ReadMedium(medium);
}

std::optional<FormatBytes> ReadMedium(STGMEDIUM& medium)
{
    std::optional<FormatBytes> bytes;
    if (medium.tymed == TYMED_HGLOBAL)
        bytes = ReadGlobal(medium.hGlobal);
    else if (medium.tymed == TYMED_ISTREAM)
        bytes = ReadStream(medium.pstm);
    ReleaseStgMedium(&medium);
    medium = STGMEDIUM{};
    return bytes;
}

}  // namespace nesk
