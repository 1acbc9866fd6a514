#pragma once
// The mailslot through which other processes hand the running application short texts:
// "\\.\mailslot\" and the application's name, messages of at most 128 bytes, read without
// waiting, one per loop step.
class KString;

// Opens the mailslot under that name; the same name again keeps it (and its waiting
// messages), another name closes the old one first.
void setMailslotNameWin32(const KString& Name);
bool hasMailslotMessageWin32();
// The text of the next message, up to its first zero byte; empty when none waits.
KString readMailslotMessageWin32();
// The open mailslot's name, empty while none is open.
const KString& getMailslotNameWin32();
