#include "tests/support/SuiteClasses.h"

#include "foundation/FoundationClasses.h"

#include <algorithm>
#include <vector>

namespace {
std::vector<SuiteClassRegistration>& registrations()
{
    static std::vector<SuiteClassRegistration> list;
    return list;
}

struct SuiteLayer {
    int level;
    SuiteLayerInstall install;
    SuiteClassRegistration registration;
};

// In layer order, whatever the order the files were linked in.
std::vector<SuiteLayer>& layers()
{
    static std::vector<SuiteLayer> list;
    return list;
}
} // namespace

bool addSuiteClassRegistration(SuiteClassRegistration Registration)
{
    for (SuiteClassRegistration known : registrations()) {
        if (known == Registration)
            return true;
    }
    registrations().push_back(Registration);
    return true;
}

void runSuiteClassRegistrations()
{
    for (SuiteClassRegistration registration : registrations())
        registration();
}

bool addSuiteLayer(int Level, SuiteLayerInstall Install, SuiteClassRegistration Register)
{
    auto place = std::find_if(layers().begin(), layers().end(), [Level](const SuiteLayer& L) { return L.level > Level; });
    layers().insert(place, SuiteLayer{Level, Install, Register});
    return true;
}

void installSuiteLayers()
{
    for (const SuiteLayer& layer : layers()) {
        if (layer.install)
            layer.install();
    }
}

void registerAllTestClasses()
{
    kksRegisterFoundationClasses();
    for (const SuiteLayer& layer : layers())
        layer.registration();
    runSuiteClassRegistrations();
}
