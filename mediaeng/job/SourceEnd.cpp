#include "mediaeng/job/SourceEnd.h"
extern "C" {
#include <libavutil/error.h>
}
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cwchar>

namespace job {

CPacketRead ClassifyRead(int rc)
{
    if (rc >= 0) return CPacketRead::Packet;
    if (rc == AVERROR_EOF) return CPacketRead::End;
    if (rc == AVERROR(EIO) || rc == AVERROR_INVALIDDATA) return CPacketRead::Damaged;
    return CPacketRead::Failed;
}

double EarlyEnd(CPacketRead how, double reached, double wanted)
{
    const bool known = wanted > 0 && std::isfinite(wanted);
    const double at = std::max(0.0, reached);
    if (known && reached >= wanted - kEarlyEndSlack) return -1;
    if (how == CPacketRead::Damaged || (how == CPacketRead::End && known)) return at;
    return -1;
}

std::wstring EndsEarlyText(double seconds)
{
    wchar_t buf[64];
    std::swprintf(buf, 64, L"source ends early at %.2f s", seconds);
    return buf;
}

}  // namespace job
