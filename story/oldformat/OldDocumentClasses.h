#pragma once
// Registers the classes of old documents with their stored names, in the order the old
// program gave them their IDs. Runs once per process; the player's start-up calls it,
// and so does every import, so that the records are there before anything is read.
void registerOldDocumentClasses();
