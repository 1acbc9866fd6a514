#pragma once
// A movie of the story, shown in its bounds on the page. When the tape reaches it, a
// movie made afresh from its file plays into the page image; the object shows each new
// frame by invalidating its bounds at every tick, and ends when the movie stops playing
// or, with its click option, when the user presses a mouse button. A page redraw shows a
// still frame.
#include "foundation/KFileReference.h"
#include "graphics/KImage.h"
#include "multimedia/KMovie.h"
#include "story/TapeGraphicObject.h"

class LumoMovie : public TapeGraphicObject {
    K_DECLARE_CLASS(LumoMovie)
public:
    static constexpr short kDefaultWidth = 320;
    static constexpr short kDefaultHeight = 240;
    // Whether a mouse button is held now; tests answer in place of the platform.
    using MouseButtonProbe = bool (*)();

    // 320 × 240, centred on the page of the story layer the application's window shows
    // (a new document's page without one); full volume, no click option.
    LumoMovie();
    // Stops the movie first.
    ~LumoMovie() override;

    // Section 1: the graphic object's block, the file reference's block, the click byte
    // and the volume (a double). The reader takes section 1 only when it comes first.
    void readFromFile(KFile& F) override;
    void writeToFile(KFile& F, long Ver) override;

    // Plays a fresh movie of the file into the page; without a movie engine (after the
    // one-time alert) or a movie that opens, the object ends at once.
    void start() override;
    // Shows the frame drawn since the last tick; ends the object when the movie no longer
    // plays, or at a press of a button first seen released since the start.
    void step() override;
    // Stops the movie and lets it go.
    void stop() override;
    // A still frame into the bounds moved by Destination's origin less Source's; a framed
    // white placeholder when no movie opens. No movie stays open.
    void draw(KGraphicDevice& D, const KGraphicRectangle& Source, const KGraphicRectangle& Destination) override;
    void drawKindIcon(KGraphicDevice& D, const KGraphicRectangle& Source, const KGraphicRectangle& Destination) override;
    // The silhouette: the bounds framed in black.
    void drawWithColor(KGraphicDevice& D, const KGraphicRectangle& Source, const KGraphicRectangle& Destination) override;
    void redraw() override;
    bool findMissingMedia(const KPath& MediaFolder, const KPathPtr& FurtherFolder) override;
    void copyMediaTo(const KDirectory& SourceFolder, const KDirectory& TargetFolder) override;
    bool replaceMediaFile(const KFileReference& Old, const KFileReference& New) override;
    void collectMediaNames(KStringBag& Names) override;
    bool usesMediaName(const KString& Name) override;
    // The base part, the click option, the file and the volume; nothing plays in the copy.
    void copyFrom(const TapeObject& Other) override;

    virtual void setRunningMedia(KAbstractMedia& M);
    virtual void resetRunningMedia();
    // Makes the movie of the file targeted at the page, or opens the one held again from
    // its beginning; a movie that no engine opens is let go.
    virtual void prepareMovie();
    // Unloads the movie and lets it go.
    virtual void releaseMovie();

    // A new file lets the movie and the still image go.
    void setFileReference(const KFileReference& File);
    const KFileReference& getFileReference() const { return m_movieFile; }
    // The click option.
    void setFlag(uint8 ClickStops) { m_clickStops = ClickStops; }
    bool clickStops() const { return m_clickStops != 0; }
    void setVolume(double Volume) { m_volume = Volume; }
    double getVolume() const { return m_volume; }
    bool hasMovie() const { return m_movie.hasObject(nullptr); }
    // Error 18 without one.
    KMovie& getMovie() const { return m_movie.getObject(); }
    bool hasRunningMedia() const { return m_runningMedia.hasObject(nullptr); }

    // Null puts the platform's own probe back.
    static void setMouseButtonProbe(MouseButtonProbe Probe);

private:
    void endOnTape();
    void invalidateBounds() const;
    // The bounds moved by Destination's origin less Source's.
    KGraphicRectangle targetOf(const KGraphicRectangle& Source, const KGraphicRectangle& Destination) const;
    // A still frame of the bounds' size, or the placeholder.
    void makeStillImage();

    KThingPtr m_runningMedia;
    KFileReference m_movieFile;
    uint8 m_clickStops = 0;
    double m_volume = 1.0;
    KMoviePtr m_movie;
    KImagePtr m_stillImage;
    uint8 m_clickArmed = 0;
};

K_POINTER_CLASS(LumoMovie, TapeGraphicObjectPtr);
