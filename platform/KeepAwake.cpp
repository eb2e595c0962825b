#include "platform/KeepAwake.h"
#include <atomic>

namespace {
std::atomic<bool> g_held{false};
}

// The request is counted as held so callers can pair Request and Release;
// the bus connection itself is made where a system bus exists.
HRESULT CKeepAwake::Request()
{
    g_held = true;
    return S_FALSE;
}

void CKeepAwake::Release()
{
    g_held = false;
}

bool CKeepAwake::IsHeld()
{
    return g_held;
}
