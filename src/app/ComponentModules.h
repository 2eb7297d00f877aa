// The component modules' life: their start-up steps, in this program's order, before the
// main window exists, and their shutdown steps, in the reverse order, after it is gone.
#pragma once

#include <cstddef>

namespace nesk {

class ComponentModules {
public:
    ComponentModules();   // every start-up step, first to last
    ~ComponentModules();  // the shutdown step of every started one, last to first
    ComponentModules(const ComponentModules&) = delete;
    ComponentModules& operator=(const ComponentModules&) = delete;

private:
    void StopStarted();
    size_t started_ = 0;
};

}  // namespace nesk
