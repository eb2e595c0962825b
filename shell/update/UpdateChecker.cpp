#include "shell/update/UpdateChecker.h"
#include "platform/Settings.h"
#include "shell/update/UpdateNotice.h"
#include "shell/update/UpdateVersion.h"
#include <pthread.h>

CUpdateChecker::CUpdateChecker(CUpdateService service, IUiPoster& poster, IUpdateMessages& messages)
    : m_service(std::move(service)), m_poster(poster), m_target(std::make_shared<Target>(Target{&messages}))
{
}

CUpdateChecker::~CUpdateChecker()
{
    Shutdown();
}

bool CUpdateChecker::StartAuto()
{
    if (CSettingsStore::Instance().GetInt(L"Settings", L"AutoCheck", 1) == 0) return false;
    {
        std::lock_guard lock(m_mutex);
        if (m_stopping) return false;
    }
    Enqueue(Kind::Auto);
    return true;
}

void CUpdateChecker::CheckNow()
{
    Enqueue(Kind::Manual);
}

void CUpdateChecker::Enqueue(Kind kind)
{
    {
        std::lock_guard lock(m_mutex);
        if (m_stopping) return;
        for (Kind queued : m_queue)
            if (queued == kind) return;  // the same request is waiting already
        m_queue.push_back(kind);
    }
    if (!m_worker.joinable()) m_worker = std::thread([this] { WorkerLoop(); });
    m_wake.notify_one();
}

void CUpdateChecker::Shutdown()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
        m_queue.clear();
    }
    m_cancel = true;
    m_wake.notify_one();
    if (m_worker.joinable()) m_worker.join();
    m_target.reset();
}

void CUpdateChecker::WorkerLoop()
{
    pthread_setname_np(pthread_self(), "km-update");
    for (;;) {
        Kind kind;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_stopping || !m_queue.empty(); });
            if (m_stopping) return;
            kind = m_queue.front();
            m_queue.pop_front();
        }
        if (kind == Kind::Auto)
            RunAuto();
        else
            RunManual();
        if (m_cancel) return;
        PostFinished(kind);
    }
}

void CUpdateChecker::RunAuto()
{
    std::wstring answer;
    const int result = m_service.CheckForUpdates(answer, &m_cancel);
    if (m_cancel) return;
    PostOutcome(Kind::Auto, result, answer);
    m_service.DownloadNews(&m_cancel);
}

void CUpdateChecker::RunManual()
{
    m_service.DownloadNews(&m_cancel);
    std::wstring answer;
    const int result = m_service.CheckForUpdates(answer, &m_cancel);
    if (m_cancel) return;
    PostOutcome(Kind::Manual, result, answer);
}

void CUpdateChecker::PostOutcome(Kind kind, int result, const std::wstring& answer)
{
    std::weak_ptr<Target> target = m_target;
    m_poster.Post([target, manual = kind == Kind::Manual, result, answer] {
        if (auto t = target.lock()) ApplyUpdateOutcome(manual, result, answer, *t->messages);
    });
}

void CUpdateChecker::PostFinished(Kind kind)
{
    std::weak_ptr<Target> target = m_target;
    m_poster.Post([target, manual = kind == Kind::Manual] {
        if (auto t = target.lock()) t->messages->OnCheckFinished(manual);
    });
}

void ApplyUpdateOutcome(bool manual, int result, const std::wstring& answer, IUpdateMessages& messages)
{
    CSettingsStore& settings = CSettingsStore::Instance();
    const UpdateNotice notice =
        manual ? DecideManualNotice(result)
               : DecideAutoNotice(result, answer, settings.GetString(L"Settings", L"LastResponse", GetOwnVersionText()));
    if (notice.stringId != 0) messages.ShowMessage(notice.stringId, notice.error);
    if (notice.storeAnswer) settings.SetString(L"Settings", L"LastResponse", answer);
}
