#pragma once
// How the standard menus and the format dialogs ask for an edit command or a change of
// text format without knowing who shows the text. The event carries no receivers of its
// sender's choosing; it finds its handler itself: the front dialog first, then the front
// palette window, the front document window and last the application. A text window
// recognises it by its class and reads its kind and, for a format change, the variables
// named below.
#include "application/KEvent.h"

class KVariable;

class KFormatEvent : public KEvent {
    K_DECLARE_CLASS(KFormatEvent)
public:
    // What the event asks for; the sender sets it before delivery.
    enum Kind : uint8 {
        Undo = 0,
        Redo = 1,
        Cut = 2,
        Copy = 3,
        Paste = 4,
        Clear = 5,
        SelectAll = 6,
        SelectNone = 7,
        // One or more of the variables below say what changes.
        FormatChange = 8,
    };

    // The variables of a format change: the face name (string), the size in whole points
    // (long), the style word (long: 1 bold, 2 italic, 4 underline), the text and the
    // background colour (objects holding a KColor of their own), and the alignment (long:
    // 0 left, 1 right, 2 centre, 3 justified).
    static constexpr const char* kFontFace = "FontFace";
    static constexpr const char* kFontSize = "FontSize";
    static constexpr const char* kFontStyle = "FontStyle";
    static constexpr const char* kFontColor = "FontColor";
    static constexpr const char* kBackgroundColor = "BackgroundColor";
    static constexpr const char* kAlignment = "Alignment";

    // An event of type 1; the kind is left to the sender.
    KFormatEvent();
    ~KFormatEvent() override;

    // Offers the event to its receivers, the front windows of the dialog, palette and
    // document layers, and the application, until one takes it.
    KEventReturn handle() override;

    void setKind(uint8 Kind) { m_kind = Kind; }
    uint8 getKind() const { return m_kind; }

    // What the menus send at once: an edit command, or a format change of one variable.
    static KEventReturn sendEditCommand(uint8 Kind);
    static KEventReturn sendFormatChange(const char* Name, const KVariable& Value);

private:
    bool offerToFrontWindows();

    uint8 m_kind = Undo;
};

K_POINTER_CLASS(KFormatEvent, KEventPtr);
