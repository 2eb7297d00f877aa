#include "fakes/FakeRedirection.h"

#include "platform/Redirection.h"

namespace nesk {

namespace fakes {

FakeRedirectionState& FakeRedirection()
{
    static FakeRedirectionState state;
    return state;
}

void ResetFakeRedirection() { FakeRedirection() = FakeRedirectionState{}; }

}  // namespace fakes

void InitRedirection()
{
    auto& s = fakes::FakeRedirection();
    ++s.initCalls;
    s.initialized = true;
}

void DisableRedirection()
{
    auto& s = fakes::FakeRedirection();
    ++s.disableCalls;
    if (s.off) s.nested = true;
    s.off = true;
}

void RevertRedirection()
{
    auto& s = fakes::FakeRedirection();
    ++s.revertCalls;
    if (!s.off) s.unpaired = true;
    s.off = false;
}

bool IsWow64()
{
    const auto& s = fakes::FakeRedirection();
    return s.initialized && s.wow64;
}

}  // namespace nesk
