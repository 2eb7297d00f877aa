// Every Windows test runs on a thread prepared as the program prepares its own: the component
// modules started (COM and OLE initialised, the drop message registered) for the whole run.
#include <gtest/gtest.h>

#include <memory>

#include "app/ComponentModules.h"

namespace nesk::testing {
namespace {

class ComponentModulesEnvironment : public ::testing::Environment {
public:
    void SetUp() override { modules_ = std::make_unique<ComponentModules>(); }
    void TearDown() override { modules_.reset(); }

private:
    std::unique_ptr<ComponentModules> modules_;
};

[[maybe_unused]] ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new ComponentModulesEnvironment);

}  // namespace
}  // namespace nesk::testing
