#pragma once
// The player's main function, which the program's entry runs between entering and leaving
// the framework's kernel: it makes the application object, runs it and releases it.
void programMain();
