#include "application/MailslotWin32.h"

#include "foundation/KString.h"
#include "foundation/KernelFunctions.h"

#include <windows.h>

namespace {
constexpr DWORD kMaximumMessageSize = 128;

HANDLE s_mailslot = nullptr;

KString& openName()
{
    static KString name;
    return name;
}

// The size of the next message, or false when none waits or the slot cannot be asked.
bool nextMessageSize(DWORD& Size)
{
    if (!s_mailslot)
        return false;
    DWORD next = MAILSLOT_NO_MESSAGE;
    if (!GetMailslotInfo(s_mailslot, nullptr, &next, nullptr, nullptr))
        return false;
    if (next == MAILSLOT_NO_MESSAGE)
        return false;
    Size = next;
    return true;
}
} // namespace

void setMailslotNameWin32(const KString& Name)
{
    if (s_mailslot && openName() == Name)
        return;
    if (s_mailslot) {
        CloseHandle(s_mailslot);
        s_mailslot = nullptr;
        openName().clear();
    }
    KString path("\\\\.\\mailslot\\");
    path += Name;
    HANDLE slot = CreateMailslotA(path.getText(), kMaximumMessageSize, 0, nullptr);
    if (slot == INVALID_HANDLE_VALUE)
        return;
    s_mailslot = slot;
    openName() = Name;
}

bool hasMailslotMessageWin32()
{
    DWORD size = 0;
    return nextMessageSize(size);
}

KString readMailslotMessageWin32()
{
    KString text;
    DWORD size = 0;
    if (!nextMessageSize(size))
        return text;
    // One byte more than the message, zero-filled, so the text always ends.
    char* block = static_cast<char*>(knsAllocGlobal(size + 1, true));
    if (!block)
        return text;
    DWORD read = 0;
    if (ReadFile(s_mailslot, block, size, &read, nullptr))
        text = block;
    knsFreeGlobal(block);
    return text;
}

const KString& getMailslotNameWin32() { return openName(); }
