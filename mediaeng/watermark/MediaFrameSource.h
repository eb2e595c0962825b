#pragma once
// Pictures of a picture or media file for the picture and media watermarks:
// the frame shown at a time of the source, read forward as the source plays
// (a jump back or far ahead seeks). The picture comes as straight BGRA.
#include "platform/Types.h"
#include <memory>
#include <string>
#include <vector>

namespace mediaeng::watermark {

struct BgraPicture {
    int width = 0;
    int height = 0;
    std::vector<BYTE> pixels;  // B, G, R, A, top row first
    bool Empty() const { return width <= 0 || height <= 0; }
};

class CMediaFrameSource {
public:
    explicit CMediaFrameSource(const std::wstring& path);
    ~CMediaFrameSource();
    CMediaFrameSource(const CMediaFrameSource&) = delete;
    CMediaFrameSource& operator=(const CMediaFrameSource&) = delete;

    bool IsOpen() const;
    // The frame at seconds t (the last one once the file has ended); false
    // when nothing could be read. Frames beyond 4096 x 4096 are refused.
    bool FrameAt(double t, BgraPicture& out);
    // Whether the picture changes with time (a video rather than one picture).
    bool IsMoving() const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace mediaeng::watermark
