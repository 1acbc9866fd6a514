#pragma once
// One timed object of a story's tape: a page transition, a text, an image, a sound, a
// speech, a pause, a wait, a stroke or an actor step. The tape drives its objects only
// through the operations declared here; each kind overrides those it needs and keeps the
// quiet defaults for the rest.
//
// The protocol with the tape: when the object's turn comes the tape makes it the running
// object and calls start once, then step at every tick while it runs. The object ends
// itself by calling resetRunningObject on the playing tape, from start, step or an input
// handler; stop is called only when the tape is stopped while the object runs.
#include "foundation/KNativePtr.h"
#include "foundation/KPath.h"
#include "foundation/KString.h"
#include "foundation/KThingPtr.h"

class KDirectory;
class KFileReference;
class KGraphicDevice;
class KGraphicPoint;
class KGraphicRectangle;
class KKeyEvent;
class KMouseEvent;
class KStringBag;
class Tape;

class TapeObject : public KThing {
    K_DECLARE_CLASS(TapeObject)
public:
    // The kind byte of each object class; 8 belongs to none.
    enum Kind : uint8 {
        NoKind = 0,
        WaitKind = 1,
        StrokeKind = 2,
        TextKind = 3,
        SpeechKind = 4,
        PauseKind = 5,
        SoundKind = 6,
        PageTransitionKind = 7,
        MovieKind = 9,
        ImageKind = 10,
        ActorActionKind = 11,
        ActorMotionKind = 12,
    };
    // What mouseDown answers to have the window capture the mouse.
    static constexpr uint8 kCaptureMouse = 4;
    // The mask bitmap and the first icon bitmap of the kind icons; kind k has icon
    // kFirstKindIcon + k.
    static constexpr short kKindIconMask = 24000;
    static constexpr short kFirstKindIcon = 24001;

    TapeObject();
    ~TapeObject() override;

    // Section 1 holds the kind (16 bits), the enabled byte and the label's block. The
    // reader takes section 1 only when it comes first.
    void readFromFile(KFile& F) override;
    void writeToFile(KFile& F, long Ver) override;

    virtual void setTape(Tape& T);
    virtual void resetTape();
    virtual void start();
    virtual void step();
    virtual void stop();
    virtual void drawOnPage();
    virtual void draw(KGraphicDevice& D, const KGraphicRectangle& Source, const KGraphicRectangle& Destination);
    // The icon of the kind at the top right of the device, 16 pixels in from both edges.
    virtual void drawKindIcon(KGraphicDevice& D, const KGraphicRectangle& Source, const KGraphicRectangle& Destination);
    // The object's shape in black: an actor's frame mask.
    virtual void drawWithColor(KGraphicDevice& D, const KGraphicRectangle& Source, const KGraphicRectangle& Destination);
    virtual void flip(bool Horizontal, short Axis);
    virtual void redraw();
    virtual void scaleFromTo(const KGraphicRectangle& From, const KGraphicRectangle& To);
    virtual void scale(double Factor);
    virtual void scaleXY(double XFactor, double YFactor);
    virtual void offset(short DH, short DV);
    // Empty for objects that occupy no rectangle.
    virtual void getBounds(KGraphicRectangle& Out) const;
    // Media housekeeping; true from findMissingMedia when the user gave the search up.
    virtual bool findMissingMedia(const KPath& MediaFolder, const KPathPtr& FurtherFolder);
    virtual void copyMediaTo(const KDirectory& SourceFolder, const KDirectory& TargetFolder);
    virtual bool replaceMediaFile(const KFileReference& Old, const KFileReference& New);
    virtual void collectMediaNames(KStringBag& Names);
    virtual bool usesMediaName(const KString& Name);
    // Input while the object runs; false (0) lets the window handle the event.
    virtual bool keyDown(KKeyEvent& E);
    virtual bool mouseMoved(KMouseEvent& E);
    virtual uint8 mouseDown(KMouseEvent& E);
    virtual bool mouseUp(KMouseEvent& E);
    virtual bool mouseKind4(KMouseEvent& E);
    // Takes the other's kind, enabled flag and label, never its tape. Each kind copies
    // its own fields (and decides whether the base fields go with them): the tape copies
    // objects of any kind through it.
    virtual void copyFrom(const TapeObject& Other);
    // Whether the object reads a text aloud by speech synthesis: such a text is a stop
    // point of playback. Texts answer by their reading-aloud flag.
    virtual bool readsAloud() const { return false; }

    void setKind(uint8 Kind) { m_kind = Kind; }
    uint8 getKind() const { return m_kind; }
    void setEnabled(bool On) { m_enabled = On ? 1 : 0; }
    bool isEnabled() const { return m_enabled != 0; }
    void setLabel(const KString& Label) { m_label = Label; }
    const KString& getLabel() const { return m_label; }
    // Error 18 while the object is on no tape.
    Tape& getTape() const;
    bool hasTape() const { return m_tape.hasNativePtr(); }

    // Whether a kind byte names an object class.
    static bool isKnownKind(uint8 Kind) { return Kind >= WaitKind && Kind <= ActorMotionKind && Kind != 8; }

private:
    KNativePtr m_tape;
    uint8 m_kind = NoKind;
    uint8 m_enabled = 1;
    KString m_label;
};

K_POINTER_CLASS(TapeObject, KThingPtr);
