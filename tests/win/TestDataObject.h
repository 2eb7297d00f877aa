// A data object the tests build, offering chosen formats in chosen media as another program
// would, and keeping what a target writes back into it.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <ole2.h>

#include <cstring>
#include <map>
#include <vector>

namespace nesk::testing {

// A stream over real bytes whose Stat tells a size of the test's choosing.
class LyingStream : public IStream {
public:
    LyingStream(IStream* inner, ULONGLONG claimed) : inner_(inner), claimed_(claimed) {}
    ~LyingStream() { inner_->Release(); }
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (iid == IID_IUnknown || iid == IID_IStream || iid == IID_ISequentialStream) {
            *out = static_cast<IStream*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    STDMETHODIMP_(ULONG) Release() override
    {
        LONG left = InterlockedDecrement(&refs_);
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }
    STDMETHODIMP Read(void* buffer, ULONG size, ULONG* got) override { return inner_->Read(buffer, size, got); }
    STDMETHODIMP Write(const void* buffer, ULONG size, ULONG* put) override { return inner_->Write(buffer, size, put); }
    STDMETHODIMP Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* at) override { return inner_->Seek(move, origin, at); }
    STDMETHODIMP SetSize(ULARGE_INTEGER) override { return E_NOTIMPL; }
    STDMETHODIMP CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) override { return E_NOTIMPL; }
    STDMETHODIMP Commit(DWORD) override { return S_OK; }
    STDMETHODIMP Revert() override { return E_NOTIMPL; }
    STDMETHODIMP LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP Stat(STATSTG* stat, DWORD) override
    {
        *stat = STATSTG{};
        stat->type = STGTY_STREAM;
        stat->cbSize.QuadPart = claimed_;
        return S_OK;
    }
    STDMETHODIMP Clone(IStream**) override { return E_NOTIMPL; }

private:
    IStream* inner_;
    ULONGLONG claimed_;
    LONG refs_ = 1;
};

class TestDataObject : public IDataObject, public IEnumFORMATETC {
public:
    struct Offer {
        std::vector<uint8_t> bytes;
        DWORD tymed = TYMED_HGLOBAL;  // the one medium kind it is delivered in
        ULONGLONG claimedStreamSize = 0;  // a stream's Stat size when not 0 (a lie)
    };

    void Add(CLIPFORMAT format, std::vector<uint8_t> bytes, DWORD tymed = TYMED_HGLOBAL)
    {
        order_.push_back(format);
        offers_[format] = Offer{std::move(bytes), tymed};
    }
    Offer& At(CLIPFORMAT format) { return offers_.at(format); }

    struct Written {
        CLIPFORMAT format;
        std::vector<uint8_t> bytes;
        DWORD tymed;
    };
    std::vector<Written> written;  // SetData calls, their medium read back
    int getDataCalls = 0;
    LONG refs = 1;

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (iid == IID_IUnknown || iid == IID_IDataObject)
            *out = static_cast<IDataObject*>(this);
        else if (iid == IID_IEnumFORMATETC)
            *out = static_cast<IEnumFORMATETC*>(this);
        else {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs)); }
    STDMETHODIMP_(ULONG) Release() override { return static_cast<ULONG>(InterlockedDecrement(&refs)); }

    // IDataObject
    STDMETHODIMP GetData(FORMATETC* request, STGMEDIUM* medium) override
    {
        ++getDataCalls;
        *medium = STGMEDIUM{};
        if (QueryGetData(request) != S_OK)
            return DV_E_FORMATETC;
        const Offer& offer = offers_.at(request->cfFormat);
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, offer.bytes.size());
        if (!offer.bytes.empty()) {
            void* data = GlobalLock(block);
            std::memcpy(data, offer.bytes.data(), offer.bytes.size());
            GlobalUnlock(block);
        }
        if (offer.tymed == TYMED_HGLOBAL) {
            medium->tymed = TYMED_HGLOBAL;
            medium->hGlobal = block;
            return S_OK;
        }
        IStream* stream = nullptr;
        CreateStreamOnHGlobal(block, TRUE, &stream);
        if (offer.claimedStreamSize)
            stream = new LyingStream(stream, offer.claimedStreamSize);
        medium->tymed = TYMED_ISTREAM;
        medium->pstm = stream;
        return S_OK;
    }
    STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    STDMETHODIMP QueryGetData(FORMATETC* request) override
    {
        auto found = offers_.find(request->cfFormat);
        if (found == offers_.end() || request->ptd || request->dwAspect != DVASPECT_CONTENT)
            return DV_E_FORMATETC;
        return (request->tymed & found->second.tymed) ? S_OK : DV_E_TYMED;
    }
    STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override
    {
        out->ptd = nullptr;
        return DATA_S_SAMEFORMATETC;
    }
    STDMETHODIMP SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override
    {
        Written w{format->cfFormat, {}, medium->tymed};
        if (medium->tymed == TYMED_HGLOBAL) {
            auto* data = static_cast<uint8_t*>(GlobalLock(medium->hGlobal));
            w.bytes.assign(data, data + GlobalSize(medium->hGlobal));
            GlobalUnlock(medium->hGlobal);
        } else if (medium->tymed == TYMED_ISTREAM) {
            uint8_t buffer[256];
            ULONG got = 0;
            while (SUCCEEDED(medium->pstm->Read(buffer, sizeof buffer, &got)) && got > 0)
                w.bytes.insert(w.bytes.end(), buffer, buffer + got);
        }
        written.push_back(std::move(w));
        if (release)
            ReleaseStgMedium(medium);
        return S_OK;
    }
    STDMETHODIMP EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override
    {
        if (direction != DATADIR_GET)
            return E_NOTIMPL;
        cursor_ = 0;
        AddRef();
        *out = this;
        return S_OK;
    }
    STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

    // IEnumFORMATETC (one enumeration at a time is all the tests need)
    STDMETHODIMP Next(ULONG count, FORMATETC* out, ULONG* fetched) override
    {
        ULONG n = 0;
        while (n < count && cursor_ < order_.size()) {
            CLIPFORMAT format = order_[cursor_++];
            LONG lindex = -1;
            out[n++] = FORMATETC{format, nullptr, DVASPECT_CONTENT, lindex, offers_.at(format).tymed};
        }
        if (fetched)
            *fetched = n;
        return n == count ? S_OK : S_FALSE;
    }
    STDMETHODIMP Skip(ULONG count) override
    {
        cursor_ += count;
        return cursor_ <= order_.size() ? S_OK : S_FALSE;
    }
    STDMETHODIMP Reset() override
    {
        cursor_ = 0;
        return S_OK;
    }
    STDMETHODIMP Clone(IEnumFORMATETC**) override { return E_NOTIMPL; }

private:
    std::vector<CLIPFORMAT> order_;
    std::map<CLIPFORMAT, Offer> offers_;
    size_t cursor_ = 0;
};

}  // namespace nesk::testing
