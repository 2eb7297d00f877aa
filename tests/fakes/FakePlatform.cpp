#include "fakes/FakePlatform.h"

namespace nesk::fakes {

ScopedFakePlatform::ScopedFakePlatform() : saved_(Platform())
{
    Platform().fileSystem = &fs;
    Platform().codePage = &codePage;
    Platform().collation = &collation;
#ifndef _WIN32
    ResetFakeRedirection();
#endif
}

ScopedFakePlatform::~ScopedFakePlatform()
{
    Platform() = saved_;
#ifndef _WIN32
    ResetFakeRedirection();
#endif
}

}  // namespace nesk::fakes
