#pragma once
// Where an encoder's packets go: the output file's muxer.
#include "mediaeng/av/AvHandles.h"

namespace mediaeng::job {

class IPacketSink {
public:
    virtual ~IPacketSink() = default;
    // Rescales pkt from the encoder's time base and hands it to the muxer;
    // false on a write failure (the reason is kept by the sink).
    virtual bool WritePacket(AVPacket* pkt, AVStream* stream, AVRational encoderTimeBase) = 0;
};

}  // namespace mediaeng::job
