// The one set of system services the process runs on: real ones in Nesk.exe, fakes in tests.
#pragma once

#include "platform/CodePage.h"
#include "platform/Collation.h"
#include "platform/FileSystem.h"

namespace nesk {

struct Services {
    IFileSystem* fileSystem = nullptr;
    ICodePage* codePage = nullptr;
    ICollation* collation = nullptr;
};

Services& Platform();

inline IFileSystem& Fs() { return *Platform().fileSystem; }
inline ICodePage& CodePage() { return *Platform().codePage; }
inline ICollation& Collation() { return *Platform().collation; }

}  // namespace nesk
