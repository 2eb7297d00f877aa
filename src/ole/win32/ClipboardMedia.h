// The Windows side of the clipboard formats: their identifiers and FORMATETCs, and the storage
// media (HGLOBAL or stream) that carry their bytes between programs.
//
// A drag source, for each format the registry lists for its data (CompatibleFormats in
// FormatRegistry.h), builds the bytes (ClipboardBytes.h, URLDataFormat.h), offers FormatEtcOf
// in EnumFormatEtc, and answers GetData(request) with ProduceMedium when AcceptsFormat says the
// request is for that format. A drop target asks ValidTymeds and then ReadFormat.
#pragma once

#include <objidl.h>

#include <cstddef>
#include <optional>

#include "ole/ClipboardBytes.h"
#include "ole/FormatRegistry.h"

namespace nesk {

// Every format of the program travels in global memory or a stream.
constexpr DWORD kSimpleMediumMask = TYMED_HGLOBAL | TYMED_ISTREAM;
// Streams are read through a block of at most this size per Read.
constexpr size_t kStreamTransferBlock = 1048576;
// No clipboard format of the program comes near this: a source that announces more is lying
// or sends something else, and nothing is read.
constexpr size_t kMaxMediumBytes = 64u << 20;

// CF_TEXT and CF_HDROP as they are; a named format is registered the first time it is asked
// for and keeps its number for the life of the process.
CLIPFORMAT ClipboardFormatId(TClipboardFormatKind format);
// Content aspect, no target device, the format's lindex, the given medium kinds.
FORMATETC FormatEtcOf(TClipboardFormatKind format, DWORD tymed = kSimpleMediumMask);
// Same identifier, no target device, content aspect, a medium kind in common; lindex is not
// compared.
bool AcceptsFormat(TClipboardFormatKind format, const FORMATETC& request);

// Hands `bytes` over in the medium the request asks for: a stream when the request names
// streams and is not "anything" (-1), otherwise global memory. False, with the medium left
// empty, for an empty block, a request for another format or medium kind, or memory that
// cannot be had.
bool ProduceMedium(TClipboardFormatKind format, const FORMATETC& request, const FormatBytes& bytes,
                   STGMEDIUM* medium);

// The medium kinds (of HGLOBAL and ISTREAM) that the data object says it can deliver.
DWORD ValidTymeds(IDataObject* dataObject, TClipboardFormatKind format);
// Fetches the format in a medium kind the data object offers and reads it; nothing when it has
// no such format or delivery fails. An empty block is an answer, not a failure.
std::optional<FormatBytes> ReadFormat(IDataObject* dataObject, TClipboardFormatKind format);
// The bytes of a medium: global memory by its real size, a stream by its announced size read
// in transfer blocks until it stops giving bytes. Nothing for another medium kind or a
// block too large. The medium is always released.
std::optional<FormatBytes> ReadMedium(STGMEDIUM& medium);

}  // namespace nesk
