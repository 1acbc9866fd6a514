#include "application/CursorDisplayWin32.h"

#include <windows.h>

int kksHideCursor()
{
    int count = ShowCursor(FALSE);
    while (count >= 0)
        count = ShowCursor(FALSE);
    return count;
}

int kksShowCursor()
{
    int count = ShowCursor(TRUE);
    while (count < 0)
        count = ShowCursor(TRUE);
    return count;
}
