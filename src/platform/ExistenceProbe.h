// Whether many items exist, asked for one command at once: the same answers as
// ProbeFolder(item) || ProbeFile(item) item by item, at a fraction of the cost on big lists.
#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <vector>

namespace nesk {

struct ExistenceOptions {
    // Workers that read the items' attributes side by side; 1 asks on the calling thread.
    int workers = 8;
    // Called on the calling thread about every `waitTick` milliseconds while the workers
    // run, with the number of items answered so far (the window paints and shows progress).
    std::function<void(size_t done, size_t total)> onWait;
    int waitTick = 50;
};

// One answer per item (1 exists, 0 missing). Each drive letter's volume is asked once, on
// the calling thread and in the order the letters first appear, so a drive that does not
// answer costs its timeout once and the error mode is handled as by a single probe. A network
// share that reports itself unreachable is not asked again for the rest of the command.
std::vector<char> ProbeExistence(const std::vector<std::wstring>& items, const ExistenceOptions& options = {});

}  // namespace nesk
