#pragma once
// The native side of the range controls: the progress bar ("msctls_progress32"), the
// scroll bar ("SCROLLBAR"), the slider ("msctls_trackbar32") and the small arrows
// ("msctls_updown32").
#include "application/KNativeMessage.h"

// Own styles of the native classes.
constexpr unsigned long kProgressBarVerticalStyle = 0x4; // PBS_VERTICAL
constexpr unsigned long kScrollBarVerticalStyle = 0x1;   // SBS_VERT
// TBS_AUTOTICKS, TBS_ENABLESELRANGE and 0x4000.
constexpr unsigned long kSliderStyle = 0x4021;
constexpr unsigned long kSliderVerticalStyle = 0x2;  // TBS_VERT
constexpr unsigned long kSmallArrowsStyle = 0x20;    // UDS_ARROWKEYS

// The scroll codes of WM_HSCROLL and WM_VSCROLL (the slider's thumb track is code 5 too).
enum ScrollCode : long {
    kScrollLineUp = 0,
    kScrollLineDown = 1,
    kScrollPageUp = 2,
    kScrollPageDown = 3,
    kScrollThumbPosition = 4,
    kScrollThumbTrack = 5,
    kScrollTop = 6,
    kScrollBottom = 7,
    kScrollEnd = 8,
};

// The scroll code of a WM_HSCROLL or WM_VSCROLL; false for any other message.
bool getScrollCodeWin32(const KNativeMessage& M, long& Code);

void setProgressRangeWin32(void* Window, long Low, long High);
void setProgressPositionWin32(void* Window, long Position);

// Range, page and position, so that the highest position the thumb reaches is exactly
// Maximum.
void setScrollBarRangeWin32(void* Window, long Minimum, long Maximum, long Page, long Position);
// Sets the position and repaints the bar at once.
void setScrollBarPositionWin32(void* Window, long Position);
void getScrollBarPositionsWin32(void* Window, long& Position, long& TrackPosition);
// Sets the position and answers the one the bar kept.
long moveScrollBarWin32(void* Window, long Position);

void setUpSliderWin32(void* Window, long Minimum, long Maximum, long Page, long Value);
void setSliderMinimumWin32(void* Window, long Minimum);
void setSliderMaximumWin32(void* Window, long Maximum);
// The page step and a tick every page.
void setSliderPageWin32(void* Window, long Page);
void setSliderPositionWin32(void* Window, long Position);
long getSliderPositionWin32(void* Window);

// The change the arrows propose (UDN_DELTAPOS); false for any other message.
bool getArrowsDeltaWin32(const KNativeMessage& M, long& Delta);
