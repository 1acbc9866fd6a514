#pragma once
// Hiding and showing the cursor whatever other code asked before: one call always hides,
// one call always shows. Each answers the platform's display count afterwards.
int kksHideCursor();
int kksShowCursor();
