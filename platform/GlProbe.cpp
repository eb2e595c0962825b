#include "platform/GlProbe.h"
#include <cstdlib>

namespace KM {

CGlProbeSkip::CGlProbeSkip()
{
    if (std::getenv("GDK_GL")) return;
    m_set = setenv("GDK_GL", "disable", 0) == 0;
}

void CGlProbeSkip::Restore()
{
    if (!m_set) return;
    unsetenv("GDK_GL");
    m_set = false;
}

}  // namespace KM
