#pragma once
// The display facts that the fonts of old documents are measured by.
class ZLogFont;

// The display's vertical resolution in pixels per inch, asked once of a device context on
// the display.
long getDisplayPixelsPerInchWin32();
// The system's stock interface font (DEFAULT_GUI_FONT) as a LOGFONTA; false when the
// system gives none.
bool getDefaultGuiFontWin32(ZLogFont& Out);
