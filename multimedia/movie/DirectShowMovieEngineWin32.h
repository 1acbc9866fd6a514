#pragma once
// Movie engine 2: a DirectShow multimedia stream decodes the movie's video into an
// off-screen DirectDraw surface, and each decoded frame is copied scaled into the target
// context; the sound goes to the stream graph's default audio renderer. DirectDraw is
// made when the movie support opens and let go of when it closes; streams need it.
#include "multimedia/movie/KMovieEngine.h"

#include <windows.h>

struct IAMMultiMediaStream;
struct IDirectDraw;
struct IDirectDrawMediaStream;
struct IDirectDrawStreamSample;
struct IDirectDrawSurface;
struct IMediaStream;

struct StreamMovieRecordWin32 {
    uint32 engineNumber;
    uint8 opened;
    // True while the stream does not run.
    uint8 halted;
    // Where play goes on: 0 after an open and a restart, set by a pause.
    long long resumeTime;
    RECT sourceRect;
    RECT destRect;
    HDC targetDC;
    // A surface target; movies never set one.
    IDirectDrawSurface* targetSurface;
    IMediaStream* videoStream;
    IAMMultiMediaStream* multiMediaStream;
    IDirectDrawMediaStream* drawStream;
    IDirectDrawStreamSample* sample;
    // The surface behind the sample, which receives the decoded frames.
    IDirectDrawSurface* sampleSurface;
};

class DirectShowMovieEngineWin32 : public KMovieEngine {
public:
    DirectShowMovieEngineWin32() = default;

    // Whether the streams have their DirectDraw objects.
    bool isAvailable() override { return m_streamsReady; }
    // DirectDraw on the application's main window, handed to the streams.
    bool startUp() override;
    void shutDown() override;

    // The DirectDraw object on the default driver and its primary surface; false
    // without the surface.
    bool startDirectDraw(HWND MainWindow);
    void stopDirectDraw();
    IDirectDraw* getDirectDraw() const { return m_directDraw; }
    IDirectDrawSurface* getPrimarySurface() const { return m_primarySurface; }
    // The streams need both.
    bool setStreamDirectDraw(IDirectDraw* DirectDraw, IDirectDrawSurface* PrimarySurface);
    void forgetStreamDirectDraw();

    unsigned long getRecordSize() const override { return sizeof(StreamMovieRecordWin32); }
    bool open(void* Record, const char* Path, KGraphicSize& NaturalSize) override;
    void close(void* Record) override;
    void setTarget(void* Record, KGraphicDevice& Target) override;
    void setBounds(void* Record, const KGraphicRectangle& Bounds) override;
    // Plays from the kept time.
    bool play(void* Record) override;
    void restart(void* Record) override;
    // Keeps the time of the last pause.
    void stop(void* Record) override;
    // Keeps the stream's time.
    void pause(void* Record) override;
    void resume(void* Record) override;
    // Done whenever the stream is stopped: at its end, paused or stopped.
    bool isDone(void* Record) override;
    // Decodes the next frame and copies it; a failed or final update stops the stream.
    void service(void* Record) override;
    // In hundredths of a decibel: 1.0 is full volume, 0.0 is 40 dB down; not limited.
    void setVolume(void* Record, double Volume) override;
    // The frame at the kept time; a halted stream decodes it and halts again.
    bool drawStill(void* Record, KGraphicDevice& Device, const KGraphicRectangle& R) override;
    // Streams cannot seek by frame: nothing is drawn.
    bool drawFrame(void* Record, KGraphicDevice& Device, const KGraphicRectangle& R, long Frame) override;

private:
    bool openStream(StreamMovieRecordWin32& R, const wchar_t* Path);
    void releaseStream(StreamMovieRecordWin32& R);
    // The whole sample surface scaled into the rectangle on the context.
    void copySample(StreamMovieRecordWin32& R, HDC Context, const RECT& Into, bool BothModes);

    IDirectDraw* m_directDraw = nullptr;
    IDirectDrawSurface* m_primarySurface = nullptr;
    IDirectDraw* m_streamDirectDraw = nullptr;
    bool m_streamsReady = false;
};
