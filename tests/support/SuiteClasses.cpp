#include "tests/support/SuiteClasses.h"

#include "application/FrameworkClasses.h"

#include <vector>

namespace {
std::vector<SuiteClassRegistration>& registrations()
{
    static std::vector<SuiteClassRegistration> list;
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

void registerAllTestClasses()
{
    kksRegisterFrameworkClasses();
    runSuiteClassRegistrations();
}
