#pragma once
// The base of every playable medium (sounds, movies, speech, recorded readings): the play
// state shared by all of them, the engine record of the concrete medium, the loop and
// feedback flags, the objects that hear its feedback, and the volume, balance and speed
// values. Its operations keep the state machine and tell the global media manager, so
// that playing media are serviced from the idle loop; concrete media drive their engine
// and then call these.
#include "foundation/KBag.h"
#include "foundation/KClass.h"
#include "foundation/KFlagSet.h"
#include "foundation/KThingPtr.h"
#include "multimedia/KMediaFeedbackEvent.h"

class KDiskObjectReference;

// How a medium loads and plays; a sound reads it when it loads (0 through a filter graph,
// 1 whole into one DirectSound buffer).
enum KMediaStreamingMode : uint8 {
    kStreamingModeGraph = 0,
    kStreamingModeBuffer = 1,
};

class KAbstractMedia : public KThing {
    K_DECLARE_CLASS(KAbstractMedia)
public:
    enum State : uint8 {
        Unloaded = 0,
        Loaded = 1,
        Playing = 2,
        Paused = 3,
    };

    enum Flag : uint32 {
        // Restart when done instead of stopping.
        LoopFlag = 0x1,
        // Send feedback events while playing.
        FeedbackFlag = 0x4,
    };

    KAbstractMedia();
    KAbstractMedia(const KAbstractMedia&) = delete;
    KAbstractMedia& operator=(const KAbstractMedia&) = delete;
    ~KAbstractMedia() override;

    virtual double getDuration();
    virtual void setVolume(double Volume);
    virtual void setBalance(double Balance);
    virtual void setSpeed(double Speed);
    virtual double getSpeed();
    virtual void setParameter(double Parameter);
    virtual void setParameterMin();
    virtual void setParameterMax();
    virtual void close();
    virtual void createFromResource(short ResID);
    virtual void createFromFile(const KDiskObjectReference& File);
    virtual void load();
    virtual void unload();
    virtual void play();
    virtual void restart();
    virtual void stop();
    virtual void pause();
    virtual void resume();
    virtual bool isPlaying();
    virtual bool isPaused();
    virtual bool isDonePlaying();
    // Called by the media manager on every idle pass while the medium plays.
    virtual void service();

    // The engine's record of this medium; the engine that made it owns it.
    void setNativeHandle(void* Record);
    void clearNativeHandle() { m_nativeHandle = nullptr; }
    void* getNativeHandle() const { return m_nativeHandle; }
    bool hasNativeHandle() const { return m_nativeHandle != nullptr; }

    uint8 getState() const { return m_state; }

    // Fixed while loaded: a change then is error 4 and keeps the old mode.
    void setStreamingMode(KMediaStreamingMode Mode);
    KMediaStreamingMode getStreamingMode() const { return m_streamingMode; }

    void setMediaFlags(uint32 Mask) { m_flags.set(Mask); }
    void clearMediaFlags(uint32 Mask) { m_flags.clear(Mask); }
    uint32 getMediaFlags() const { return m_flags.getFlags(); }
    bool isLooping() const { return (m_flags.getFlags() & LoopFlag) != 0; }
    bool sendsFeedback() const { return (m_flags.getFlags() & FeedbackFlag) != 0; }

    // The objects that get the feedback events, in order. Users add themselves here.
    KBag& getReceivers() { return m_receivers; }
    const KBag& getReceivers() const { return m_receivers; }

    double getVolume() const { return m_volume; }
    double getBalance() const { return m_balance; }
    double getStoredSpeed() const { return m_speed; }
    double getParameter() const { return m_parameter; }

protected:
    // A new feedback event from this medium, addressed to its receivers; the sender sets
    // its variables and sends it.
    KMediaFeedbackEventPtr makeFeedbackEvent();

private:
    void* m_nativeHandle = nullptr;
    uint8 m_state = Unloaded;
    KMediaStreamingMode m_streamingMode = kStreamingModeGraph;
    KFlagSet m_flags;
    KBag m_receivers;
    double m_volume = 1.0;
    double m_balance = 0.0;
    double m_speed = 0.5;
    double m_parameter = 0.0;
};

K_POINTER_CLASS(KAbstractMedia, KThingPtr);
