#pragma once
// The event with which media report progress while they play: the word being spoken or
// shown, or the time elapsed in a recorded sound. Its data are named variables; a reader
// takes those it knows and ignores the others. It is sent, never queued: it reaches the
// medium's receivers at once, on the thread that sends it.
#include "application/KEvent.h"

class KMediaFeedbackEvent : public KEvent {
    K_DECLARE_CLASS(KMediaFeedbackEvent)
public:
    // The variables: "MediaType" a string ("Speech"); "WordStart" and "WordLength" longs,
    // the character range of the current word (−1 and −1 for none); "ElapsedTime" a long,
    // milliseconds since the sound started.
    static constexpr const char* kMediaType = "MediaType";
    static constexpr const char* kWordStart = "WordStart";
    static constexpr const char* kWordLength = "WordLength";
    static constexpr const char* kElapsedTime = "ElapsedTime";

    KMediaFeedbackEvent();
    ~KMediaFeedbackEvent() override;

    // The receivers in order, stopping at the first that takes it; when none does, the
    // application. Nonzero when someone took it.
    KEventReturn handle() override;

    void setLong(const char* Name, long Value);
    // False when the event has no such variable.
    bool findLong(const char* Name, long& Out) const;
};

K_POINTER_CLASS(KMediaFeedbackEvent, KEventPtr);
