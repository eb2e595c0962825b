#pragma once
// What "the nth video (or audio) stream" of a file means, written once: the
// probe lists the streams in this order, the source properties switch them
// by this number, and the preview, the conversion, the stream copy and the
// picture grabber all open the stream of that number. A stream counts when
// it has a codec and real pictures (a size, not an attached cover picture)
// or real sound (a sample rate); subtitle and data streams never count.
extern "C" {
#include <libavformat/avformat.h>
}

struct IEngineNode;

namespace mediaeng {

// Whether the stream counts among the file's streams of its type.
bool CountsAsStream(const AVStream* st, AVMediaType type);

// The container index of the nth (from 0) counted stream of type, or -1
// when nth is negative or there is no such stream.
int NthStream(const AVFormatContext* ctx, AVMediaType type, int nth);

// The number of the stream a media source node has switched on through its
// "<prefix>0".."<prefix>15" switches: the first that is on; -1 when all
// are off; 0 when the node has none of them.
int ChosenStream(IEngineNode* source, const wchar_t* prefix);

}  // namespace mediaeng
