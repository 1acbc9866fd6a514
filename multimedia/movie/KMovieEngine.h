#pragma once
// What a movie asks of the engine that opened it. A movie keeps one engine record, which
// the movie allocates zero-filled at the size the engine gives and whose first 32-bit
// field is the engine's number; every operation dispatches on that number. Engine 1 is
// QuickTime, engine 2 a DirectShow multimedia stream; either place can be given another
// engine (the tests put engines with frames on a driven clock there), but only while no
// movie is loaded, since loaded movies find their engine by number.
#include "foundation/KTypes.h"

class KGraphicDevice;
class KGraphicRectangle;
class KGraphicSize;

class KMovieEngine {
public:
    enum Number : uint32 {
        kQuickTimeEngine = 1,
        kStreamEngine = 2,
    };

    KMovieEngine() = default;
    virtual ~KMovieEngine() = default;
    KMovieEngine(const KMovieEngine&) = delete;
    KMovieEngine& operator=(const KMovieEngine&) = delete;

    // The engine in place for a number; null for any number but 1 and 2.
    static KMovieEngine* find(uint32 Number);
    // Puts Engine in place of number 1 or 2 and answers the one it displaces; null puts
    // the platform's engine back. The caller keeps owning the engine.
    static KMovieEngine* install(uint32 Number, KMovieEngine* Engine);

    // Whether the engine could start on this machine.
    virtual bool isAvailable() = 0;
    // Started and stopped by the movie support; stopping an engine that did not start
    // does nothing.
    virtual bool startUp() = 0;
    virtual void shutDown() = 0;
    // Engines that must know every native window answer true while started; the window
    // layer then attaches each new window and detaches each closing one.
    virtual bool isActive() { return false; }
    virtual void attachWindow(void* NativeWindow) { (void)NativeWindow; }
    virtual void detachWindow(void* NativeWindow) { (void)NativeWindow; }

    virtual unsigned long getRecordSize() const = 0;
    // Opens the file into the record and gives the movie's own size; a failed open
    // leaves nothing acquired in the record.
    virtual bool open(void* Record, const char* Path, KGraphicSize& NaturalSize) = 0;
    virtual void close(void* Record) = 0;
    // Where frames go while playing, and the rectangle they fill there.
    virtual void setTarget(void* Record, KGraphicDevice& Target) = 0;
    virtual void setBounds(void* Record, const KGraphicRectangle& Bounds) = 0;
    // False when the movie cannot start.
    virtual bool play(void* Record) = 0;
    virtual void restart(void* Record) = 0;
    virtual void stop(void* Record) = 0;
    virtual void pause(void* Record) = 0;
    virtual void resume(void* Record) = 0;
    virtual bool isDone(void* Record) = 0;
    // Work done on every idle pass while the movie plays: decode and copy the frame.
    virtual void service(void* Record) = 0;
    // 0.0 to 1.0.
    virtual void setVolume(void* Record, double Volume) = 0;
    // A still frame into R on the device: the poster, or the frame where play would go on.
    virtual bool drawStill(void* Record, KGraphicDevice& Device, const KGraphicRectangle& R) = 0;
    // Frame numbers count from 1; engines that cannot seek by frame draw nothing.
    virtual bool drawFrame(void* Record, KGraphicDevice& Device, const KGraphicRectangle& R, long Frame) = 0;
};
