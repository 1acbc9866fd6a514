#pragma once
// A movie file played into a target device inside a bounds rectangle. Loading opens the
// file with one of the two movie engines: QuickTime first for files of the "MOV" type,
// the DirectShow stream first for every other file, each falling back to the other among
// the engines the movie support started. The engine's record is the native handle while
// the movie is loaded. While it plays, the media manager services it on every idle pass
// (the engine decodes and copies a frame into the target) and stops it once the engine
// finds it done, which leaves it loaded.
#include "foundation/KFileReference.h"
#include "foundation/KGraphicRectangle.h"
#include "foundation/KGraphicSize.h"
#include "graphics/KGraphicDevice.h"
#include "multimedia/KAbstractMedia.h"

class KMovieEngine;

class KMovie : public KAbstractMedia {
    K_DECLARE_CLASS(KMovie)
public:
    KMovie();
    // Unloads: a movie let go of frees its engine record.
    ~KMovie() override;

    // Always 0.0.
    double getDuration() override;
    // Given to the engine while loaded and targeted; not kept.
    void setVolume(double Volume) override;
    // Movies have no balance.
    void setBalance(double Balance) override;
    void close() override;
    void createFromFile(const KDiskObjectReference& File) override;
    // Silent when no engine opens the file: the movie stays unloaded.
    void load() override;
    // Frees the engine record in every state.
    void unload() override;
    // These need a loaded movie and a target device.
    void play() override;
    void restart() override;
    void stop() override;
    // A QuickTime movie stops and resumes from its beginning; a stream goes on where it
    // paused.
    void pause() override;
    void resume() override;
    // True without an engine record or without a target device.
    bool isDonePlaying() override;
    void service() override;

    // The device frames are drawn into; a loaded movie cannot change it (fatal).
    virtual void setTargetDevice(KGraphicDevice& Dev);
    virtual void clearTargetDevice();
    // Also followed by the engine at once while loaded.
    virtual void setBounds(const KGraphicRectangle& R);
    // A still frame: QuickTime's poster, or the stream's frame where play would go on.
    virtual void draw(KGraphicDevice& Dev, const KGraphicRectangle& R);
    // QuickTime draws the numbered frame (from 1); a stream draws nothing.
    virtual void drawFrame(KGraphicDevice& Dev, const KGraphicRectangle& R, long Frame);

    const KFileReference& getFileReference() const { return m_movieFile; }
    const KGraphicRectangle& getBounds() const { return m_bounds; }
    const KGraphicSize& getNaturalSize() const { return m_naturalSize; }
    bool hasTargetDevice() const { return m_targetDevice.hasObject(nullptr); }
    // 1 QuickTime, 2 the DirectShow stream; 0 while there is no engine record.
    uint32 getEngineNumber() const;

private:
    KMovieEngine* engine() const;
    // The engine when there is a record and a target device, else null.
    KMovieEngine* targetedEngine() const;
    bool tryEngine(uint32 Number);

    KThingPtr m_targetDevice;
    KFileReference m_movieFile;
    KGraphicRectangle m_bounds;
    KGraphicSize m_naturalSize;
};

K_POINTER_CLASS(KMovie, KAbstractMediaPtr);
