#pragma once
// The wait cursor over the story engine's longer jobs (media copies, actor files), where
// the application shows cursors at all; the previous cursor comes back at the end.
#include "application/KCursorManager.h"

class StoryWaitCursor {
public:
    StoryWaitCursor()
    {
        if ((m_pushed = KCursorManager::exists())) {
            KCursorManager::get().pushCursor();
            KCursorManager::get().setCursor(KCursorManager::WaitCursor);
        }
    }
    ~StoryWaitCursor()
    {
        if (m_pushed && KCursorManager::exists())
            KCursorManager::get().popCursor();
    }
    StoryWaitCursor(const StoryWaitCursor&) = delete;
    StoryWaitCursor& operator=(const StoryWaitCursor&) = delete;

private:
    bool m_pushed = false;
};
