#include "mediaeng/job/run/OrderedReport.h"
#include <algorithm>

namespace mediaeng::job {

COrderedReport::COrderedReport(const CJobMessages& msg, std::vector<double> weights)
    : m_msg(msg), m_weights(std::move(weights)), m_files(m_weights.size())
{
    for (double w : m_weights) m_total += w;
    if (m_total <= 0) m_total = 1;
}

void COrderedReport::Line(size_t file, Send send)
{
    {
        std::lock_guard<std::mutex> lk(m_mutex);
        if (file >= m_files.size()) return;
        // The head's lines go at once, unless a stop came before it: then
        // whether it speaks at all is known only at its end.
        if (file == m_head && !m_stopSeen)
            m_ready.push_back(std::move(send));
        else
            m_files[file].waiting.push_back(std::move(send));
    }
    m_wake.notify_all();
}

void COrderedReport::Start(size_t file, const std::wstring& source)
{
    Line(file, [this, source] { m_msg.FileStart(source); });
}

void COrderedReport::Warning(size_t file, const std::wstring& source, const std::wstring& text)
{
    Line(file, [this, source, text] { m_msg.FileWarning(source, text); });
}

void COrderedReport::Saved(size_t file, const std::wstring& output)
{
    Line(file, [this, output] { m_msg.FileSaved(output); });
}

void COrderedReport::Error(size_t file, const std::wstring& source, const std::wstring& reason)
{
    Line(file, [this, source, reason] { m_msg.FileError(source, reason); });
}

void COrderedReport::End(size_t file, bool stopped)
{
    {
        std::lock_guard<std::mutex> lk(m_mutex);
        if (file >= m_files.size()) return;
        m_files[file].ended = true;
        m_files[file].stopped = stopped;
        MoveHead();
        // An ended file counts whole, as the next one starting did one after another.
        if (!stopped) Advance(file, 1.0);
    }
    m_wake.notify_all();
}

// Readies the lines of every ended file at the head, in order, and those the
// new head has so far. Under the lock.
void COrderedReport::MoveHead()
{
    while (m_head < m_files.size()) {
        File& f = m_files[m_head];
        if (m_stopSeen && !f.ended) return;  // known at its end
        if (!m_stopSeen || !f.stopped)
            for (Send& send : f.waiting) m_ready.push_back(std::move(send));
        f.waiting.clear();
        if (!f.ended) return;
        if (f.stopped) m_stopSeen = true;
        ++m_head;
    }
}

void COrderedReport::Progress(size_t file, double share)
{
    {
        std::lock_guard<std::mutex> lk(m_mutex);
        if (file >= m_files.size()) return;
        Advance(file, share);
    }
    m_wake.notify_all();
}

// Under the lock.
void COrderedReport::Advance(size_t file, double share)
{
    File& f = m_files[file];
    share = std::clamp(share, 0.0, 1.0);
    if (share <= f.share) return;
    m_done += (share - f.share) * m_weights[file];
    f.share = share;
    // The bar only moves forward, and only by visible steps.
    const double shown = std::min(1.0, m_done / m_total);
    if (shown - m_lastShown < 0.005) return;
    m_lastShown = shown;
    m_ready.push_back([this, shown] { m_msg.Progress(shown); });
}

void COrderedReport::Pump(const std::function<bool()>& done)
{
    for (;;) {
        std::vector<Send> sends;
        {
            std::unique_lock<std::mutex> lk(m_mutex);
            m_wake.wait(lk, [&] { return !m_ready.empty() || done(); });
            if (m_ready.empty()) return;
            sends.swap(m_ready);
        }
        for (const Send& send : sends) send();
    }
}

}  // namespace mediaeng::job
