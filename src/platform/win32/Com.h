// COM helpers of the Win32 layer: an owning interface pointer, shell item identifier lists
// freed with the shell allocator, scoped OLE and COM initialisation, owned transfer media,
// and the guard that keeps exceptions from crossing a COM method.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <ole2.h>
#include <shlobj.h>

#include <memory>
#include <new>
#include <stdexcept>
#include <type_traits>
#include <utility>

#include "platform/win32/Guarded.h"

namespace nesk {

// Holds one reference to an interface; copies add one, moves pass it on.
template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    // Takes over a reference the caller already holds (as an out parameter hands it over).
    static ComPtr Attach(T* pointer)
    {
        ComPtr owned;
        owned.pointer_ = pointer;
        return owned;
    }
    // Adds a reference of its own to a borrowed pointer.
    static ComPtr Borrow(T* pointer)
    {
        if (pointer)
            pointer->AddRef();
        return Attach(pointer);
    }
    ComPtr(const ComPtr& other) : pointer_(other.pointer_)
    {
        if (pointer_)
            pointer_->AddRef();
    }
    ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ComPtr& operator=(ComPtr other) noexcept
    {
        std::swap(pointer_, other.pointer_);
        return *this;
    }
    ~ComPtr() { Reset(); }

    T* Get() const { return pointer_; }
    T* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }

    void Reset()
    {
        if (T* old = std::exchange(pointer_, nullptr))
            old->Release();
    }
    // For a call that hands out a reference: releases what is held and gives the slot.
    T** Put()
    {
        Reset();
        return &pointer_;
    }
    void** PutVoid() { return reinterpret_cast<void**>(Put()); }
    // Gives the reference to the caller (an out parameter of our own COM methods).
    T* Detach() { return std::exchange(pointer_, nullptr); }

    template <class U>
    ComPtr<U> As() const
    {
        ComPtr<U> other;
        if (pointer_)
            pointer_->QueryInterface(__uuidof(U), other.PutVoid());
        return other;
    }

private:
    T* pointer_ = nullptr;
};

// Frees an item identifier list with the shell allocator, the one every shell call that
// hands out such a list used.
struct PidlFreer {
    void operator()(ITEMIDLIST* list) const
    {
        IMalloc* allocator = nullptr;
        if (list && SUCCEEDED(SHGetMalloc(&allocator)) && allocator) {
            allocator->Free(list);
            allocator->Release();
        }
    }
};
using UniquePidl = std::unique_ptr<ITEMIDLIST, PidlFreer>;

// An initialisation of this thread for the life of the scope, balanced only when it
// succeeded (S_FALSE, already initialised on this thread, also counts and must be balanced).
template <class Api>
class ScopedInitialization {
public:
    ScopedInitialization() : result_(Api::Initialize()) {}
    ~ScopedInitialization()
    {
        if (SUCCEEDED(result_))
            Api::Uninitialize();
    }
    ScopedInitialization(const ScopedInitialization&) = delete;
    ScopedInitialization& operator=(const ScopedInitialization&) = delete;
    bool Succeeded() const { return SUCCEEDED(result_); }
    HRESULT Result() const { return result_; }

private:
    HRESULT result_;
};

struct OleApi {
    static HRESULT Initialize() { return OleInitialize(nullptr); }
    static void Uninitialize() { OleUninitialize(); }
};
// CoInitialize: apartment-threaded, as the shell's objects expect.
struct ComApi {
    static HRESULT Initialize() { return CoInitialize(nullptr); }
    static void Uninitialize() { CoUninitialize(); }
};

using OleInitialization = ScopedInitialization<OleApi>;
using ComInitialization = ScopedInitialization<ComApi>;

// A transfer medium this side owns: ReleaseStgMedium frees it (and its pUnkForRelease) once.
class UniqueStgMedium {
public:
    UniqueStgMedium() = default;
    explicit UniqueStgMedium(const STGMEDIUM& medium) : medium_(medium) {}
    UniqueStgMedium(UniqueStgMedium&& other) noexcept : medium_(other.Release()) {}
    UniqueStgMedium& operator=(UniqueStgMedium&& other) noexcept
    {
        if (this != &other) {
            Reset();
            medium_ = other.Release();
        }
        return *this;
    }
    UniqueStgMedium(const UniqueStgMedium&) = delete;
    UniqueStgMedium& operator=(const UniqueStgMedium&) = delete;
    ~UniqueStgMedium() { Reset(); }

    const STGMEDIUM& Get() const { return medium_; }
    explicit operator bool() const { return medium_.tymed != TYMED_NULL; }
    // For IDataObject::GetData: frees what is held and gives the empty record.
    STGMEDIUM* Put()
    {
        Reset();
        return &medium_;
    }
    // Hands the medium on (to a caller of our own GetData), leaving this empty.
    STGMEDIUM Release() { return std::exchange(medium_, STGMEDIUM{}); }
    void Reset()
    {
        if (medium_.tymed != TYMED_NULL)
            ReleaseStgMedium(&medium_);
        medium_ = STGMEDIUM{};
    }

private:
    STGMEDIUM medium_{};
};

// A failed HRESULT as an exception, for code between COM boundaries.
class ComError : public std::runtime_error {
public:
    ComError(HRESULT result, const char* what) : std::runtime_error(what), result_(result) {}
    HRESULT Result() const { return result_; }

private:
    HRESULT result_;
};

inline void ThrowIfFailed(HRESULT result, const char* what)
{
    if (FAILED(result))
        throw ComError(result, what);
}

// Runs the body of a COM method: the twin of Guarded for window procedures. A failure that
// COM reported is passed back as it came; running out of memory answers E_OUTOFMEMORY;
// anything else of ours goes to the program-wide handler and answers E_UNEXPECTED. A body
// that returns nothing answers S_OK.
template <class Body>
HRESULT GuardedHresult(Body&& body) noexcept
{
    try {
        if constexpr (std::is_void_v<std::invoke_result_t<Body>>) {
            std::forward<Body>(body)();
            return S_OK;
        } else {
            return std::forward<Body>(body)();
        }
    } catch (const ComError& error) {
        return FAILED(error.Result()) ? error.Result() : E_FAIL;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        ApplicationEventsException();
        return E_UNEXPECTED;
    }
}

}  // namespace nesk
