#include "shell/WxUiPoster.h"
#include <wx/app.h>
#include <wx/timer.h>

void CWxUiPoster::Post(std::function<void()> task)
{
    if (wxTheApp) wxTheApp->CallAfter(std::move(task));
}

// Runs the tasks waiting for the next turn, in order.
class CWxUiPoster::CNextTurnTimer : public wxTimer {
public:
    explicit CNextTurnTimer(CWxUiPoster& poster) : m_poster(poster) {}
    void Notify() override { m_poster.RunNextTurn(); }

private:
    CWxUiPoster& m_poster;
};

CWxUiPoster::CWxUiPoster() = default;
CWxUiPoster::~CWxUiPoster() = default;

void CWxUiPoster::PostNextTurn(std::function<void()> task)
{
    if (!wxTheApp) return;
    m_nextTurn.push_back(std::move(task));
    if (!m_timer) m_timer = std::make_unique<CNextTurnTimer>(*this);
    if (!m_timer->IsRunning()) m_timer->StartOnce(1);
}

void CWxUiPoster::RunNextTurn()
{
    std::deque<std::function<void()>> tasks;
    tasks.swap(m_nextTurn);
    for (std::function<void()>& task : tasks) task();
}
