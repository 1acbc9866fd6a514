#pragma once
// The program as the user runs it, as far as reading files goes: the kernel entered (which
// puts errors in the program's own mode: message boxes, and the fatal path for severity
// 3), the application object, every class of the libraries and the player registered, and
// the document file types. Message boxes are answered at once and the last one is kept.
#include <string>

struct SharedProgress;

void enterProgramEnvironment();
// Where message boxes leave their caption and text; none before it is set.
void keepMessagesIn(SharedProgress* Progress);
// The last message box shown, "caption: text".
std::string lastMessage();
