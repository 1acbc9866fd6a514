#pragma once
// The operating-system calls with which a document replaces its file only once the new
// contents are safely written. Paths are Windows path texts.
class KString;

// Creates a new, empty file of a name no other file has, in Folder; false when the
// folder cannot take one.
bool makeTemporaryFileWin32(const char* Folder, KString& Out);
// Puts From in the place of To, replacing To when it exists; false leaves both as they
// were.
bool replaceFileWin32(const char* From, const char* To);
