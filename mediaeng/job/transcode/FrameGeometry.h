#pragma once
// The output picture's size and placement from "Resize", "ResizeType" and
// "CreateLitterbox": where the source goes inside the output frame and which
// part of the source is shown.
#include <string>

namespace mediaeng::job {

struct CRect {
    int x = 0, y = 0, w = 0, h = 0;
};

struct CFrameGeometry {
    int outWidth = 0, outHeight = 0;  // the encoded frame
    CRect picture;                    // where the source's picture lands in it
    CRect sourceCut;                  // the part of the source that is shown
    bool bars = false;                // the rest of the frame is filled (colour or blurred picture)
};

// Parses "N%", "W x H", "WxH", a text holding "WxH" (e.g. "VGA (640x480)") or
// a named size; false when the text says nothing usable.
bool ParseResizeText(const std::wstring& text, int srcWidth, int srcHeight, int& width, int& height);

// Lays the source (its display aspect given by sar) out in the target size.
CFrameGeometry ComputeGeometry(int srcWidth, int srcHeight, double sar, int targetWidth, int targetHeight,
                               int resizeType, bool letterbox);

}  // namespace mediaeng::job
