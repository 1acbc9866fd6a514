// Preferences of an application live under the application's name.
#include "application/KApplication.h"
#include "foundation/KPreferences.h"
#include "tests/foundation/RegistryTestSupport.h"
#include "tests/support/SuiteClasses.h"

#include <gtest/gtest.h>

namespace {

// The application's name, once it gives one, is the key the sets live under.
TEST(KPreferencesOfAnApplication, LiveUnderTheApplicationsName)
{
    const std::string name = uniqueName("KPreferencesApplication.");
    RegistrySet registry(name, "MainPreferences");
    {
        KApplication application;
        application.setMailslotName(name.c_str());
        KPreferences preferences;
        preferences.setLong("NewDocW", 800);
        preferences.save("MainPreferences");
        EXPECT_TRUE(preferences.exists("MainPreferences"));
    }

    // The application's destructor empties the class registry.
    if (!KClass::getFirst())
        registerAllTestClasses();
    EXPECT_EQ(registry.read("NewDocW"), (Bytes{REG_BINARY, 0x03, 0x20, 0x03, 0x00, 0x00}));
}

} // namespace
