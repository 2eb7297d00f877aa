// The switch for 32-bit file-system redirection; brackets must not nest (one saved value).
#pragma once

namespace nesk {

void InitRedirection();
void DisableRedirection();
void RevertRedirection();
bool IsWow64();

// Scoped pair for the few calls that must see the native system folder.
class RedirectionOff {
public:
    RedirectionOff() { DisableRedirection(); }
    ~RedirectionOff() { RevertRedirection(); }
    RedirectionOff(const RedirectionOff&) = delete;
    RedirectionOff& operator=(const RedirectionOff&) = delete;
};

}  // namespace nesk
