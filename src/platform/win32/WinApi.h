// <windows.h> for Nesk's Windows code, without the macros that clash with the names of the
// platform interfaces (IFileSystem::DeleteFile, IFileSystem::SetCurrentDirectory).
#pragma once

#include <windows.h>

#ifdef DeleteFile
#undef DeleteFile
#endif
#ifdef SetCurrentDirectory
#undef SetCurrentDirectory
#endif
