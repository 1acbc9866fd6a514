// The mailslot: texts written by another process reach the application, one per step.
#include "application/MailslotWin32.h"
#include "foundation/KVariable.h"
#include "tests/application/ApplicationTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> s_received;

class ReceivingApplication : public KApplication {
public:
    KEventReturn receivedData(KApplicationEvent& E) override
    {
        s_received.push_back(E.getNamedVariable("Received Data").getString().getText());
        return 1;
    }
};

const char kSlotName[] = "Narrabo Mailslot Test";

void send(const std::string& Bytes)
{
    HANDLE slot = CreateFileA("\\\\.\\mailslot\\Narrabo Mailslot Test", GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(slot, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(slot, Bytes.data(), static_cast<DWORD>(Bytes.size()), &written, nullptr));
    CloseHandle(slot);
}

class Mailslot : public testing::Test {
protected:
    void SetUp() override
    {
        s_received.clear();
        m_application->setMailslotName(kSlotName);
        // Whatever an earlier test left waiting goes first.
        while (hasMailslotMessageWin32())
            readMailslotMessageWin32();
    }
    ApplicationScope<ReceivingApplication> m_application;
};

TEST_F(Mailslot, OneMessageReachesTheApplicationPerStepInTheOrderSentAsTextToTheFirstZero)
{
    std::string full(128, 'x');
    full[0] = 'A';
    full[127] = 'Z';
    for (const std::string& message : {std::string("first"), full, std::string("ab\0cd", 5), std::string("\0zz", 3)})
        send(message);
    // An empty message posts nothing.
    const std::vector<std::string> expected[] = {{"first"}, {"first", full}, {"first", full, "ab"}, {"first", full, "ab"}};
    for (const auto& received : expected) {
        m_application->processIdleOnce();
        EXPECT_EQ(s_received, received);
    }
    EXPECT_FALSE(hasMailslotMessageWin32());
    EXPECT_EQ(KApplicationEvent::getQueueCount(), 0);
}

TEST_F(Mailslot, NamingItAgainWithTheSameNameKeepsWaitingMessages)
{
    send("kept");
    m_application->setMailslotName(kSlotName);
    EXPECT_EQ(getMailslotNameWin32(), kSlotName);
    m_application->processIdleOnce();
    EXPECT_EQ(s_received, (std::vector<std::string>{"kept"}));
}

} // namespace
