#include "app/ComponentModules.h"

#include <iterator>

#include "exchange/win32/QivFormDropFiles.h"
#include "ole/win32/DragDropModule.h"
#include "shell/win32/ShellModules.h"

namespace nesk {
namespace {

struct ModuleStep {
    void (*start)();
    void (*stop)();
};

// The order is the program's: the drag-and-drop core comes up between its own format
// registrations, the shell modules after it, the drop message last. Each step's body lives
// with the subsystem that owns it.
constexpr ModuleStep kSteps[] = {
    {StartDropEffectFormats, StopDropEffectFormats},
    {StartDragDropCore, StopDragDropCore},
    {StartFileFormats, StopFileFormats},
    {StartShellIdentifiers, StopShellIdentifiers},
    {StartContextMenuModule, StopContextMenuModule},
    {StartLinkFormats, StopLinkFormats},
    {StartDropFilesMessage, StopDropFilesMessage},
};

}  // namespace

ComponentModules::ComponentModules()
{
    try {
        for (const auto& step : kSteps) {
            step.start();
            ++started_;
        }
    } catch (...) {
        StopStarted();
        throw;
    }
}

ComponentModules::~ComponentModules()
{
    StopStarted();
}

void ComponentModules::StopStarted()
{
    while (started_ > 0)
        kSteps[--started_].stop();
}

}  // namespace nesk
