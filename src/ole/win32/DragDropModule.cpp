#include "ole/win32/DragDropModule.h"

#include <optional>

#include "ole/FormatRegistry.h"
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
    ResetFormatRegistry();  // a start-up after a shutdown happens only in tests, and starts afresh
    SetFormatRegistryDebugSink([](const wchar_t* message) { OutputDebugStringW(message); });
    RegisterDropEffectFormats();
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
    FreeFormatRegistry();
    gShellAllocator.Reset();
    gOle.reset();  // OleUninitialize only if our OleInitialize succeeded
}

void StartFileFormats()
{
    RecordLifeStep(LifeStep::FileFormats, true);
    RegisterFileFormats();
}

void StopFileFormats()
{
    RecordLifeStep(LifeStep::FileFormats, false);
}

void StartLinkFormats()
{
    RecordLifeStep(LifeStep::LinkFormats, true);
    RegisterLinkFormats();
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
