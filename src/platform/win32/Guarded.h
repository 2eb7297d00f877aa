// The program-wide error rule: nothing that fails inside a handler may cross a Win32 callback.
#pragma once

#include <utility>

namespace nesk {

// Shows nothing and logs nothing; the user-interface thread pauses for three seconds, and the
// program carries on with whatever state the failed operation left.
void ApplicationEventsException();

// Runs a handler body at a callback boundary; a failure goes to the program-wide handler and
// the callback answers `fallback`.
template <class Result, class Body>
Result Guarded(Result fallback, Body&& body)
{
    try {
        return std::forward<Body>(body)();
    } catch (...) {
        ApplicationEventsException();
        return fallback;
    }
}

template <class Body>
void Guarded(Body&& body)
{
    try {
        std::forward<Body>(body)();
    } catch (...) {
        ApplicationEventsException();
    }
}

}  // namespace nesk
