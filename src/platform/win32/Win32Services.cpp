#include "platform/win32/Win32Services.h"

#include "platform/Services.h"
#include "platform/win32/Win32CodePage.h"
#include "platform/win32/Win32Collation.h"
#include "platform/win32/Win32FileSystem.h"

namespace nesk {

void InstallWin32Services()
{
    static Win32FileSystem fileSystem;
    static Win32CodePage codePage;
    static Win32Collation collation;
    Platform().fileSystem = &fileSystem;
    Platform().codePage = &codePage;
    Platform().collation = &collation;
}

}  // namespace nesk
