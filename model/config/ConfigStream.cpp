#include "model/config/ConfigStream.h"
#include <algorithm>

namespace ConfigStream {
namespace {
constexpr size_t kChunk = 64 * 1024;
}

void PutU32(uint8_t* out, uint32_t v)
{
    for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>(v >> (8 * i));
}

uint32_t GetU32(const uint8_t* in)
{
    return static_cast<uint32_t>(in[0]) | (static_cast<uint32_t>(in[1]) << 8) | (static_cast<uint32_t>(in[2]) << 16) |
           (static_cast<uint32_t>(in[3]) << 24);
}

bool ReadExact(CArchive& archive, void* bytes, size_t count)
{
    return count == 0 || archive.Read(bytes, count) == count;
}

bool Skip(CArchive& archive, uint64_t count)
{
    uint8_t buf[4096];
    while (count > 0) {
        size_t n = static_cast<size_t>(std::min<uint64_t>(count, sizeof buf));
        if (archive.Read(buf, n) != n) return false;
        count -= n;
    }
    return true;
}

uint64_t ReadUpTo(CArchive& archive, uint64_t count, std::vector<uint8_t>& out)
{
    uint64_t got = 0;
    while (got < count) {
        size_t want = static_cast<size_t>(std::min<uint64_t>(count - got, kChunk));
        size_t at = out.size();
        out.resize(at + want);
        size_t n = archive.Read(out.data() + at, want);
        out.resize(at + n);
        got += n;
        if (n < want) break;
    }
    return got;
}

}
