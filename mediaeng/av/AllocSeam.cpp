#include "mediaeng/av/AllocSeam.h"
#include <atomic>

namespace mediaeng::av {

namespace {
std::atomic<int> g_site{-1};
std::atomic<int> g_countdown{0};  // 0: off
std::atomic<bool> g_hit{false};
}  // namespace

bool AllocationFails(AllocSite site)
{
    if (g_countdown.load(std::memory_order_relaxed) <= 0 || g_site.load() != int(site)) return false;
    int n = g_countdown.load();
    while (n > 0 && !g_countdown.compare_exchange_weak(n, n - 1)) {
    }
    if (n != 1) return false;
    g_hit = true;
    return true;
}

CAllocationFailure::CAllocationFailure(AllocSite site, int nth)
{
    g_hit = false;
    g_site = int(site);
    g_countdown = nth > 0 ? nth : 0;
}

CAllocationFailure::~CAllocationFailure()
{
    g_countdown = 0;
    g_site = -1;
}

bool CAllocationFailure::Hit() const { return g_hit; }

}  // namespace mediaeng::av
