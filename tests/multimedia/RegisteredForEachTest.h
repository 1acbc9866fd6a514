#pragma once
// The multimedia and story classes are registered by their library objects in the
// program. Here they are registered before every test that finds them missing: at the
// start, and after a test whose application object emptied the registry.
#include "foundation/KClass.h"

#include <gtest/gtest.h>

#include <cstring>

inline bool isClassNameRegistered(const char* Name)
{
    for (KClass* record = KClass::getFirst(); record; record = record->getNext())
        if (record->getName() && std::strcmp(record->getName(), Name) == 0)
            return true;
    return false;
}

// Registers with Register before each test when the class named Probe is missing.
inline bool registerBeforeEachTest(const char* Probe, void (*Register)())
{
    class Registration : public testing::EmptyTestEventListener {
    public:
        Registration(const char* Probe, void (*Register)()) : m_probe(Probe), m_register(Register) {}
        void OnTestStart(const testing::TestInfo&) override
        {
            if (KClass::getFirst() && !isClassNameRegistered(m_probe))
                m_register();
        }

    private:
        const char* m_probe;
        void (*m_register)();
    };
    testing::UnitTest::GetInstance()->listeners().Append(new Registration(Probe, Register));
    return true;
}
