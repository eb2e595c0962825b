#pragma once
// Font heights given in pixels for a desktop whose default font is 11 pixels
// high (8 points at 96 dots per inch) scale to this desktop's default font,
// so text drawn with them reads like the rest of the window.
constexpr int kReferenceFontPixels = 11;

// partPixels at the reference, in the desktop's pixels; the reference height
// itself when the desktop's is unknown (0 or less).
int ScaledFontPixels(int partPixels, int desktopPixels);
