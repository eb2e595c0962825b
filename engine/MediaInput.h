#pragma once
// Opens the media behind an engine media source for reading with FFmpeg: a
// file by its path, a DVD title through libdvdread (a custom AVIOContext over
// the title's cells). Used by playback and conversion.
#include "platform/Unknown.h"
#include <memory>

struct AVFormatContext;

// Owns the demuxer and, for a DVD title, the reader behind its I/O context.
class CMediaInput {
public:
    virtual ~CMediaInput() = default;
    virtual AVFormatContext* Format() const = 0;
    // Duration in seconds as the source reported it (a DVD title: from IFO).
    virtual double DurationSeconds() const = 0;
};

// source: an object created as CLSID_MediaSource (or one of its "SubFiles"),
// after "FileName"/"Type" were written; a whole DVD (Type 1) reads as its
// longest title. Streams are probed
// (avformat_find_stream_info) before it returns.
HRESULT OpenMediaInput(IUnknown* source, std::unique_ptr<CMediaInput>& out);
