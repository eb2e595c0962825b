#include "mediaeng/job/transcode/ConstantRate.h"
#include <cmath>

namespace mediaeng::job {

int64_t CConstantRate::Slot(double time) const
{
    return int64_t(std::ceil(time * av_q2d(m_enc.FrameRate()) - 1e-3));
}

bool CConstantRate::RepeatTo(int64_t slot, const AVFrame* picture, std::string& error)
{
    while (m_next < slot)
        if (!m_enc.Encode(picture, m_next++, m_sink, error)) return false;
    return true;
}

bool CConstantRate::Show(av::FramePtr frame, double time, std::string& error)
{
    if (!RepeatTo(Slot(time), m_prev ? m_prev.get() : frame.get(), error)) return false;
    m_prev = std::move(frame);
    return true;
}

bool CConstantRate::HoldTo(double time, std::string& error, av::FramePtr fill)
{
    const int64_t slot = Slot(time);
    if (m_next >= slot) return true;
    if (!m_prev) m_prev = std::move(fill);
    return !m_prev || RepeatTo(slot, m_prev.get(), error);
}

}  // namespace mediaeng::job
