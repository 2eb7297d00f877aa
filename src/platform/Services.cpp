#include "platform/Services.h"

namespace nesk {

Services& Platform()
{
    static Services services;
    return services;
}

}  // namespace nesk
