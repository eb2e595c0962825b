#include "mediaeng/frame/WideVectors.h"
#include <atomic>

namespace mediaeng::frame {

namespace {

bool ProcessorHasAvx2()
{
#if KM_HAS_WIDE_BUILD
    return __builtin_cpu_supports("avx2");
#else
    return false;
#endif
}

std::atomic<bool>& Wide()
{
    static std::atomic<bool> wide{ProcessorHasAvx2()};
    return wide;
}

}  // namespace

bool UseWideVectors()
{
    return Wide().load(std::memory_order_relaxed);
}

void SetWideVectorsForTest(bool on)
{
    Wide() = on && ProcessorHasAvx2();
}

}  // namespace mediaeng::frame
