#include "platform/win32/Guarded.h"

#include <windows.h>

namespace nesk {

void ApplicationEventsException()
{
    Sleep(3000);
}

}  // namespace nesk
