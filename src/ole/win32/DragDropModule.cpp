#include "ole/win32/DragDropModule.h"

#include <optional>

#include "platform/Lifecycle.h"
#include "platform/win32/Com.h"

namespace nesk {
namespace {

std::optional<OleInitialization> gOle;
ComPtr<IMalloc> gShellAllocator;

}  // namespace

void StartDropEffectFormats()
{
    RecordLifeStep(LifeStep::DropEffectFormats, true);
}

void StopDropEffectFormats()
{
    RecordLifeStep(LifeStep::DropEffectFormats, false);
}

void StartDragDropCore()
{
    RecordLifeStep(LifeStep::DragDropCore, true);
    gOle.emplace();
    if (FAILED(SHGetMalloc(gShellAllocator.Put())))
        gShellAllocator.Reset();
}

void StopDragDropCore()
{
    RecordLifeStep(LifeStep::DragDropCore, false);
    gShellAllocator.Reset();
    gOle.reset();  // OleUninitialize only if our OleInitialize succeeded
}

void StartFileFormats()
{
    RecordLifeStep(LifeStep::FileFormats, true);
}

void StopFileFormats()
{
    RecordLifeStep(LifeStep::FileFormats, false);
}

void StartLinkFormats()
{
    RecordLifeStep(LifeStep::LinkFormats, true);
}

void StopLinkFormats()
{
    RecordLifeStep(LifeStep::LinkFormats, false);
}

IMalloc* DragDropShellAllocator()
{
    return gShellAllocator.Get();
}

}  // namespace nesk
