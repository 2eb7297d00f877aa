#include "platform/Lifecycle.h"

namespace nesk {
namespace {

std::vector<LifeEvent>& Events()
{
    static std::vector<LifeEvent> events;
    return events;
}

}  // namespace

void RecordLifeStep(LifeStep step, bool starting)
{
    Events().push_back({step, starting});
}

const std::vector<LifeEvent>& RecordedLifeSteps()
{
    return Events();
}

void ClearRecordedLifeSteps()
{
    Events().clear();
}

}  // namespace nesk
