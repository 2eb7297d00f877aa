// The redirection switch of the native test build: InitRedirection, DisableRedirection,
// RevertRedirection and IsWow64 (platform/Redirection.h) are defined by FakeRedirection.cpp,
// which only counts and records. Windows builds (the unit tests under Wine included) link the
// real switch instead, which does nothing until InitRedirection has run; so tests that look
// at this state are native only: wrap them in #ifndef _WIN32.
//
// - IsWow64() is false until InitRedirection() has run, then `wow64` (default true, so the
//   bracket is observable as on a 64-bit system).
// - `off` is true between DisableRedirection and RevertRedirection, so another fake can
//   record whether a call ran inside the bracket.
// - `nested` turns true when DisableRedirection comes while already off (the one saved value
//   would be lost), `unpaired` when RevertRedirection comes while not off.
// - ScopedFakePlatform (FakePlatform.h) resets this state (native build).
#pragma once

namespace nesk::fakes {

struct FakeRedirectionState {
    bool wow64 = true;
    bool initialized = false;
    int initCalls = 0;
    int disableCalls = 0;
    int revertCalls = 0;
    bool off = false;
    bool nested = false;
    bool unpaired = false;
};

FakeRedirectionState& FakeRedirection();
void ResetFakeRedirection();

}  // namespace nesk::fakes
