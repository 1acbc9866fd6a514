#pragma once
// The one global object that knows which movie engines are wanted and which started, and
// that starts and stops them for the media manager. Engine 1 (QuickTime) must know every
// native window: while it runs, the windows already open are attached to it and the
// window layer's hooks attach and detach the others.
#include "foundation/KClass.h"
#include "foundation/KThingPtr.h"

class KMovieSupport : public KThing {
    K_DECLARE_CLASS(KMovieSupport)
public:
    enum EngineBit : uint32 {
        QuickTimeEngineBit = 0x1,
        StreamEngineBit = 0x2,
    };

    KMovieSupport() = default;
    // Stops the engines it started.
    ~KMovieSupport() override;

    static void createMovieSupport();
    static void releaseMovieSupport();
    static bool hasMovieSupport();
    // Error 18 when there is none.
    static KMovieSupport& getMovieSupport();

    void setEngineMask(uint32 Mask) { m_engineMask = Mask; }
    uint32 getEngineMask() const { return m_engineMask; }
    // The engines that started, by the same bits; 0 when no movie can play.
    uint32 getAvailableEngines() const { return m_availableEngines; }
    // Whether engine 1 or 2 could start; false for any other number.
    bool isEngineAvailable(uint8 Engine) const;

    // Starts the wanted engines: QuickTime first, then the DirectShow stream engine.
    void open();
    // Stops them again; the media manager has stopped and unloaded every movie by then.
    void close();

private:
    uint32 m_engineMask = QuickTimeEngineBit;
    uint32 m_availableEngines = 0;
};

K_POINTER_CLASS(KMovieSupport, KThingPtr);
