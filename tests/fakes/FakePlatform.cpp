#include "fakes/FakePlatform.h"

namespace nesk::fakes {

ScopedFakePlatform::ScopedFakePlatform() : saved_(Platform())
{
    Platform().fileSystem = &fs;
    Platform().codePage = &codePage;
    Platform().collation = &collation;
    ResetFakeRedirection();
}

ScopedFakePlatform::~ScopedFakePlatform()
{
    Platform() = saved_;
    ResetFakeRedirection();
}

}  // namespace nesk::fakes
