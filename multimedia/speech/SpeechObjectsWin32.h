#pragma once
// Where the speech engine layers get their platform objects (voices, token categories,
// text-to-speech enumerators, audio destinations): from COM, or from a speech
// installation that a test puts in its place. Both layers create every engine object
// through here and nowhere else.
struct _GUID;

// Creates the object of class Class in the given class context and answers the HRESULT;
// on success Object holds the interface Interface with one reference.
using KSpeechObjectFactory = long (*)(const _GUID& Class, unsigned long Context, const _GUID& Interface,
                                      void** Object);

long kssCreateSpeechObject(const _GUID& Class, unsigned long Context, const _GUID& Interface, void** Object);

// Null returns to COM. A change of installation shuts the SAPI 4 engine down and forgets
// what the layer had learnt of the old one (its availability and its modes).
void kssSetSpeechObjectFactory(KSpeechObjectFactory Factory);
