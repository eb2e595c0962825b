#pragma once
// A seam for tests: makes one allocation of a kind fail as FFmpeg's own would,
// so the paths that meet a real shortage of memory can be run on purpose. Off
// unless a test arms it; armed, it costs one atomic read per allocation.
namespace mediaeng::av {

enum class AllocSite {
    FrameBuffer,  // the sample or pixel buffer of a frame
    PacketRead,   // the buffer of a packet read from a source
};

// True when the allocation now being made at site is to fail.
bool AllocationFails(AllocSite site);

// Arms the seam while it lives: the nth allocation at site from now fails
// (1: the next one), once.
class CAllocationFailure {
public:
    CAllocationFailure(AllocSite site, int nth);
    ~CAllocationFailure();
    CAllocationFailure(const CAllocationFailure&) = delete;
    CAllocationFailure& operator=(const CAllocationFailure&) = delete;
    // Whether the failure was handed out.
    bool Hit() const;
};

}  // namespace mediaeng::av
