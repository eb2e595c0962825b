#include "document/KestrelMediaDocProcessing.h"
#include "document/ShellStrings.h"
#include <cmath>

namespace {
// One file is worth this many progress units at full pass weight.
constexpr double kFileUnits = 500.0;
constexpr DWORD kPassReset = 0xFFFFFFFFu;
}

CKestrelMediaDocProcessing::CKestrelMediaDocProcessing(CMessageMng* messageMng, IRunClock* clock)
    : m_messageMng(messageMng), m_clock(clock)
{
    if (!m_clock) {
        m_ownClock = std::make_unique<CSystemRunClock>();
        m_clock = m_ownClock.get();
    }
    DeclareShellStringArgs();
    if (m_messageMng) m_messageMng->SetHandler(this);
}

CKestrelMediaDocProcessing::~CKestrelMediaDocProcessing()
{
    // A handler that is going must not be called by messages still queued.
    if (m_messageMng && m_messageMng->GetHandler() == this) m_messageMng->SetHandler(nullptr);
}

// ---- listeners ----

void CKestrelMediaDocProcessing::AddListener(IMessageMngHandler* listener)
{
    if (!listener) return;
    for (IMessageMngHandler* l : m_listeners)
        if (l == listener) return;
    m_listeners.push_back(listener);
}

void CKestrelMediaDocProcessing::RemoveListener(IMessageMngHandler* listener)
{
    std::erase(m_listeners, listener);
}

void CKestrelMediaDocProcessing::NotifyListeners(const std::wstring& text, DWORD code)
{
    for (IMessageMngHandler* l : m_listeners) l->OnMessage(text, code);
}

void CKestrelMediaDocProcessing::BroadcastProgressRange(int range)
{
    for (IMessageMngHandler* l : m_listeners) l->SetProgressRange(range);
}

void CKestrelMediaDocProcessing::BroadcastProgressPos(int pos)
{
    for (IMessageMngHandler* l : m_listeners) l->SetProgressPos(pos);
}

void CKestrelMediaDocProcessing::BroadcastClearMessages()
{
    for (IMessageMngHandler* l : m_listeners) l->ClearMessages();
}

void CKestrelMediaDocProcessing::BroadcastFilesDone(int count)
{
    for (IMessageMngHandler* l : m_listeners) l->SetFilesDone(count);
}

void CKestrelMediaDocProcessing::BroadcastAborted()
{
    for (IMessageMngHandler* l : m_listeners) l->OnAborted();
}

void CKestrelMediaDocProcessing::BroadcastFinished()
{
    for (IMessageMngHandler* l : m_listeners) l->OnFinished();
}

void CKestrelMediaDocProcessing::BroadcastCurrentFileChanged()
{
    for (IMessageMngHandler* l : m_listeners) l->OnCurrentFileChanged();
}

void CKestrelMediaDocProcessing::ReportError(std::wstring text)
{
    NotifyListeners(text, LOG_ERROR);
}

// ---- log lines ----

void CKestrelMediaDocProcessing::WriteLine(UINT id, DWORD code, const std::vector<CMsgArg>& args)
{
    NotifyListeners(ShellText(id, args), code);
}

void CKestrelMediaDocProcessing::WriteStartLine()
{
    BroadcastClearMessages();
    BroadcastFilesDone(0);
    m_nFilesDone = 0;
    m_runSummary = {};
    m_dwRunMs = 0;
    m_dwStartTick = m_clock->GetTickCount();
    m_stStart = m_clock->GetLocalTime();
    WriteLine(IDS_RUN_START, LOG_START, {TextArg(FormatShortDate(m_stStart)), TextArg(FormatShortTime(m_stStart))});
}

void CKestrelMediaDocProcessing::WritePauseLine()
{
    m_dwRunMs += m_clock->GetTickCount() - m_dwStartTick;
    WriteLine(IDS_RUN_PAUSE, LOG_PAUSE);
}

void CKestrelMediaDocProcessing::WriteResumeLine()
{
    WriteLine(IDS_RUN_RESUME, LOG_PLAIN);
    m_dwStartTick = m_clock->GetTickCount();
}

void CKestrelMediaDocProcessing::WriteElapsedLine()
{
    // Only running stretches count: a paused run adds nothing since its pause.
    uint32_t ms = m_dwRunMs;
    if (GetRunState() == CRunManager::kRunning) ms += m_clock->GetTickCount() - m_dwStartTick;
    int64_t seconds = ms / 1000;
    WriteLine(IDS_RUN_ELAPSED, LOG_PLAIN, {TextArg(FormatRunTime(seconds))});
}

// ---- run control ----

void CKestrelMediaDocProcessing::SetConverting(bool on)
{
    if (m_setConverting) m_setConverting(on);
}

void CKestrelMediaDocProcessing::ForgetQueuedMessages()
{
    if (m_messageMng) m_messageMng->NewGeneration();
}

HRESULT CKestrelMediaDocProcessing::StartConversion()
{
    if (!m_pProject) return E_UNEXPECTED;
    DWORD before = m_pProject->m_runState;
    if (before == CRunManager::kRunning) return S_FALSE;
    SetConverting(true);
    if (before == CRunManager::kPaused) {
        WriteResumeLine();
    } else {
        ForgetQueuedMessages();
        WriteStartLine();
    }
    // Keeps the system awake, makes the job when idle, runs it, and undoes
    // a failed start (no job left, no keep-awake).
    HRESULT hr = m_pProject->Run();
    if (FAILED(hr)) {
        if (before == CRunManager::kIdle) SetConverting(false);
        // Queued behind what the job's making already reported.
        std::wstring text = ShellText(IDS_RUN_START_FAILED, CauseArgs(hr));
        if (m_messageMng)
            m_messageMng->OnTextMessage(text.c_str(), MSGF_ERROR);
        else
            NotifyListeners(text, LOG_ERROR);
    }
    return hr;
}

void CKestrelMediaDocProcessing::PauseConversion()
{
    if (!m_pProject) return;
    switch (m_pProject->m_runState) {
    case CRunManager::kPaused: {
        WriteResumeLine();
        HRESULT hr = m_pProject->Run();
        if (FAILED(hr)) NotifyListeners(ShellText(IDS_RUN_START_FAILED, CauseArgs(hr)), LOG_ERROR);
        break;
    }
    case CRunManager::kRunning:
        WritePauseLine();
        m_pProject->m_runState = CRunManager::kPaused;
        if (m_pProject->m_job) m_pProject->m_job->Pause();
        break;
    default:
        break;  // nothing runs: nothing to pause
    }
}

void CKestrelMediaDocProcessing::StopConversion()
{
    bool underWay = m_pProject && (m_pProject->m_runState != CRunManager::kIdle || m_pProject->m_job);
    if (underWay) {
        // Read before the state goes back to idle.
        uint32_t tick = m_clock->GetTickCount();
        if (m_pProject->m_runState == CRunManager::kRunning) m_dwRunMs += tick - m_dwStartTick;
        m_dwStartTick = tick;
    }
    // Stops the job (its worker has ended when this returns), unlinks the
    // sources and lets the system sleep.
    if (m_pProject) m_pProject->Stop();
    ForgetQueuedMessages();
    if (underWay) {
        WriteLine(IDS_RUN_STOP, LOG_PLAIN);
        WriteElapsedLine();
        // The file that was interrupted is not done: the count stays.
        BroadcastFilesDone(m_nFilesDone);
    }
    SetConverting(false);
}

void CKestrelMediaDocProcessing::WriteSummaryLine()
{
    if (m_runSummary.total <= 0) return;  // the engine counted nothing
    // A run that left files out or wrote shorter ones is not a plain success.
    const DWORD code = m_runSummary.LeftOut() > 0   ? LOG_ERROR
                       : m_runSummary.shortened > 0 ? LOG_WARNING
                                                    : LOG_PLAIN;
    NotifyListeners(m_runSummary.Text(), code);
}

void CKestrelMediaDocProcessing::EndOfRun()
{
    WriteLine(IDS_RUN_END, LOG_PLAIN);
    WriteElapsedLine();
    // The only way to let go of the job that also unlinks its sources; a
    // job that has ended takes the stop as a no-op.
    if (m_pProject) m_pProject->Stop();
}

// ---- engine messages ----

HRESULT CKestrelMediaDocProcessing::OnTextMessage(const wchar_t* text, DWORD flags)
{
    if (!OnEngineMessage(text, flags)) NotifyListeners(text ? text : L"", flags);
    return S_OK;
}

HRESULT CKestrelMediaDocProcessing::OnNotifyMessage(DWORD id, DWORD value, DWORD extra)
{
    HandleNotifyMessage(id, value, extra);
    return S_OK;
}

HRESULT CKestrelMediaDocProcessing::OnNotifyText(DWORD id, const wchar_t* text, DWORD flags)
{
    if (id == MSGE_ENGINE_TEXT)
        OnEngineMessage(text, MSGF_ENGINE_TEXT);
    else if (id == MSGE_TEXT_FLAGS)
        OnEngineMessage(text, flags);
    return S_OK;
}

int CKestrelMediaDocProcessing::OnEngineMessage(const wchar_t* rawText, DWORD flags)
{
    std::wstring text = rawText ? rawText : L"";
    // The first bit set decides, in this order.
    if (flags & MSGF_RAW) {
        NotifyListeners(text, LOG_RAW);
    } else if (flags & MSGF_FINISHED) {
        EndOfRun();
        WriteSummaryLine();
        BroadcastFinished();
        SetConverting(false);
        ForgetQueuedMessages();
    } else if (flags & MSGF_LINK) {
        // swallowed
    } else if (flags & MSGF_ABORTED) {
        EndOfRun();
        BroadcastAborted();
        SetConverting(false);
        ForgetQueuedMessages();
    } else if (flags & MSGF_ENGINE_TEXT) {
        WriteLine(IDS_ENGINE_TEXT, LOG_PLAIN, {TextArg(text)});
    } else if (flags & MSGF_NOTE) {
        WriteLine(IDS_ENGINE_NOTE, LOG_NOTE, {TextArg(text)});
    } else if (flags & MSGF_FILE_DONE) {
        WriteLine(IDS_FILE_DONE, LOG_FILE_DONE);
        ++m_nFilesDone;
        BroadcastFilesDone(m_nFilesDone);
    } else if (flags & MSGF_ERROR) {
        NotifyListeners(text, LOG_ERROR);
    } else if (flags & MSGF_WARNING) {
        NotifyListeners(text, LOG_WARNING);
    } else {
        return 0;
    }
    return 1;
}

void CKestrelMediaDocProcessing::HandleNotifyMessage(DWORD id, DWORD value, DWORD extra)
{
    int32_t signedValue = static_cast<int32_t>(value);
    switch (id) {
    case MSGE_PROGRESS_POS:
        BroadcastProgressPos(signedValue);
        break;
    case MSGE_NEW_JOB:
        m_llPartProgress = 0;
        m_llPassesDone = 0;
        m_llJobBase = signedValue;
        m_llPartBase = 0;
        BroadcastProgressRange(static_cast<int32_t>(extra));
        BroadcastProgressPos(signedValue);
        break;
    case MSGE_NEXT_PART:
        m_llPartProgress = 0;
        m_llPassesDone = 0;
        BroadcastProgressRange(static_cast<int32_t>(extra));
        BroadcastProgressPos(static_cast<int32_t>(static_cast<uint32_t>(m_llJobBase + signedValue)));
        m_llPartBase = signedValue;
        break;
    case MSGE_FILE_POS:
        OnFileProgress(value, extra);
        break;
    case MSGE_RUN_COUNTS:
        m_runSummary.converted = signedValue;
        m_runSummary.total = static_cast<int32_t>(extra);
        break;
    case MSGE_RUN_SHORTENED:
        m_runSummary.shortened = signedValue;
        break;
    case MSGE_PASS:
        if (value == kPassReset) {
            m_dPassWeight = 1.0;
            m_llPassesDone = 0;
        } else {
            m_llPassesDone += m_llPartProgress;
            m_dPassWeight = signedValue / 1000000.0;
        }
        break;
    default:
        break;  // the text events come through OnNotifyText
    }
}

void CKestrelMediaDocProcessing::OnFileProgress(DWORD value, DWORD extra)
{
    if (extra != 0) m_llFileTotal = static_cast<int32_t>(extra);
    if (m_llFileTotal == 0) return;
    double part = static_cast<int32_t>(value) / static_cast<double>(m_llFileTotal) * kFileUnits / m_nPassDivisor *
                  m_dPassWeight;
    m_llPartProgress = static_cast<int64_t>(std::trunc(part));
    double position = static_cast<double>(m_llJobBase) + part + static_cast<double>(m_llPartBase) +
                      static_cast<double>(m_llPassesDone);
    int64_t pos = static_cast<int64_t>(std::trunc(position));
    BroadcastProgressPos(static_cast<int32_t>(static_cast<uint32_t>(pos)));
}
