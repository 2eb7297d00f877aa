#include "shell/win32/ShellModules.h"

#include <optional>

#include "platform/Lifecycle.h"
#include "platform/win32/Com.h"

namespace nesk {
namespace {

std::optional<ComInitialization> gShellIdentifiersCom;
std::optional<OleInitialization> gContextMenuOle;

}  // namespace

void StartShellIdentifiers()
{
    RecordLifeStep(LifeStep::ShellIdentifiers, true);
    gShellIdentifiersCom.emplace();
}

void StopShellIdentifiers()
{
    RecordLifeStep(LifeStep::ShellIdentifiers, false);
    gShellIdentifiersCom.reset();
}

void StartContextMenuModule()
{
    RecordLifeStep(LifeStep::ContextMenu, true);
    gContextMenuOle.emplace();
}

void StopContextMenuModule()
{
    RecordLifeStep(LifeStep::ContextMenu, false);
    gContextMenuOle.reset();
}

}  // namespace nesk
