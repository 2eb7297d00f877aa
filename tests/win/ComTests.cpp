// The COM helpers: what a guarded COM method answers, and interface references counted right.
#include <gtest/gtest.h>

#include <new>

#include "platform/win32/Com.h"

namespace nesk::testing {
namespace {

TEST(Com, GuardedHresultAnswersForWhatTheBodyDid)
{
    EXPECT_EQ(GuardedHresult([] {}), S_OK);
    EXPECT_EQ(GuardedHresult([] { return S_FALSE; }), S_FALSE);
    EXPECT_EQ(GuardedHresult([] { return DV_E_FORMATETC; }), DV_E_FORMATETC);
    EXPECT_EQ(GuardedHresult([]() -> HRESULT { throw ComError(STG_E_MEDIUMFULL, "write"); }), STG_E_MEDIUMFULL);
    EXPECT_EQ(GuardedHresult([]() -> HRESULT { throw std::bad_alloc(); }), E_OUTOFMEMORY);
}

// An object that only counts its references.
class Counted : public IUnknown {
public:
    ULONG count = 1;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (iid != IID_IUnknown) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = this;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++count; }
    ULONG STDMETHODCALLTYPE Release() override { return --count; }
};

TEST(Com, ComPtrHoldsExactlyTheReferencesItTook)
{
    Counted object;
    {
        ComPtr<IUnknown> held = ComPtr<IUnknown>::Attach(&object);
        EXPECT_EQ(object.count, 1u);
        ComPtr<IUnknown> copy = held;
        EXPECT_EQ(object.count, 2u);
        ComPtr<IUnknown> moved = std::move(copy);
        EXPECT_FALSE(copy);
        EXPECT_EQ(object.count, 2u);
        ComPtr<IUnknown> asked = moved.As<IUnknown>();
        EXPECT_EQ(object.count, 3u);
        moved = ComPtr<IUnknown>::Borrow(&object);
        EXPECT_EQ(object.count, 3u);
        EXPECT_EQ(held.Detach(), &object);
        EXPECT_EQ(object.count, 3u);
    }
    EXPECT_EQ(object.count, 1u);
}

}  // namespace
}  // namespace nesk::testing
