#pragma once
// Movie engine 1: movies opened, played, timed and drawn through QuickTime for Windows,
// and PICT pictures read for the image layer while QuickTime is started. A movie with a
// window target plays into the window's QuickTime port; one with a device-context target
// plays into an offscreen bitmap of its own size, which is copied scaled to the target at
// most every 40 ms. Every operation on a record does nothing (or answers false) while
// QuickTime is not started.
#include "multimedia/movie/KMovieEngine.h"

#include <windows.h>

class KFileReference;
class KImage;
class QuickTimeLibraryWin32;

struct QuickTimeMovieRecordWin32 {
    uint32 engineNumber;
    void* qtMovie;
    // Made when playing starts, disposed when it stops.
    void* qtController;
    // A window target and a device-context target exclude each other.
    HWND targetWindow;
    RECT destRect;
    RECT naturalBox;
    uint8 playing;
    HDC targetDC;
    int16 fileRefNum;
    // The offscreen of a device-context target, remade at each play.
    HBITMAP offscreenBitmap;
    HDC offscreenDC;
    HGDIOBJ offscreenPreviousBitmap;
    void* offscreenWorld;
    uint32 lastCopyTick;
};

class QuickTimeMovieEngineWin32 : public KMovieEngine {
public:
    explicit QuickTimeMovieEngineWin32(QuickTimeLibraryWin32& Library);
    // Stops reading PICT files when it was the reader.
    ~QuickTimeMovieEngineWin32() override;

    // Worked out once: QuickTime is started and its movie toolbox entered and left again.
    bool isAvailable() override;
    // Enters the movie toolbox and makes this engine the reader of PICT files. The
    // counted start of QuickTime it takes is kept until the process ends.
    bool startUp() override;
    void shutDown() override;
    bool isActive() override { return m_started; }
    // Gives a window a QuickTime port unless it has one, and takes it back.
    void attachWindow(void* NativeWindow) override;
    void detachWindow(void* NativeWindow) override;
    long getAttachedWindowCount() const { return m_attachedWindowCount; }

    unsigned long getRecordSize() const override { return sizeof(QuickTimeMovieRecordWin32); }
    bool open(void* Record, const char* Path, KGraphicSize& NaturalSize) override;
    void close(void* Record) override;
    // A window plays into its own port; any other device through its context.
    void setTarget(void* Record, KGraphicDevice& Target) override;
    // A playing window movie is stopped, re-boxed and started again where it was.
    void setBounds(void* Record, const KGraphicRectangle& Bounds) override;
    // Every play starts from the beginning with a new controller.
    bool play(void* Record) override;
    void restart(void* Record) override;
    void stop(void* Record) override;
    // QuickTime movies do not pause: they stop, and resuming plays them from the start.
    void pause(void* Record) override;
    void resume(void* Record) override;
    // True while QuickTime is not started.
    bool isDone(void* Record) override;
    // Up to 100 ms of QuickTime's work, then the frame copied to a context target.
    void service(void* Record) override;
    // Limited to 0.0 to 1.0; QuickTime's full volume is 256.
    void setVolume(void* Record, double Volume) override;
    // The poster picture.
    bool drawStill(void* Record, KGraphicDevice& Device, const KGraphicRectangle& R) override;
    // The picture at the movie time of the frame: frames are taken as evenly spaced.
    bool drawFrame(void* Record, KGraphicDevice& Device, const KGraphicRectangle& R, long Frame) override;

    // The sample count of the first track's media; −1 while QuickTime is not started.
    long getFrameCount(void* Record);
    // A PICT file: its 512-byte header skipped, the rest drawn by QuickTime. A file that
    // cannot be read leaves the image empty.
    void readPictFile(KImage& Image, const KFileReference& File);

private:
    QuickTimeMovieRecordWin32* usable(void* Record) const;
    void* windowPort(HWND Window) const;
    bool buildOffscreen(QuickTimeMovieRecordWin32& R);
    void copyFrame(QuickTimeMovieRecordWin32& R);
    // Draws a picture scaled into R on the context and disposes of it.
    bool drawPicture(void* Picture, HDC Context, const KGraphicRectangle& Into);

    QuickTimeLibraryWin32& m_library;
    bool m_started = false;
    bool m_availabilityKnown = false;
    bool m_available = false;
    bool m_holdsStart = false;
    long m_attachedWindowCount = 0;
};
