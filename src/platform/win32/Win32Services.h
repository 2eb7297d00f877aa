// Puts the real Windows services into Platform(); Nesk.exe calls it first thing.
#pragma once

namespace nesk {

void InstallWin32Services();

}  // namespace nesk
