#pragma once
// The document's lower layer: runs the project's conversion job (start,
// pause, resume, stop), turns the engine's messages and events into log
// lines and progress, keeps the elapsed run time, and broadcasts all of it to
// the listeners in the order they registered. No window code: the converting
// marker of the preview player and the clock are handed in.
//
// Threads: everything here runs on the user-interface thread; the message
// manager brings the engine's messages there.
#include "model/job/RunSummary.h"
#include "model/project/Project.h"
#include "document/MessageMng.h"
#include "document/MessageMngHandler.h"
#include "document/RunClock.h"
#include <functional>
#include <memory>
#include <vector>

class CKestrelMediaDocProcessing : public ITextMessageMngHandler {
public:
    // Sets the preview player's "converting" marker.
    using ConvertingSetter = std::function<void(bool)>;

    // Installs itself as the handler of messageMng (which may be null) and
    // stays installed; clock null means the system clock.
    CKestrelMediaDocProcessing(CMessageMng* messageMng, IRunClock* clock = nullptr);
    virtual ~CKestrelMediaDocProcessing();
    CKestrelMediaDocProcessing(const CKestrelMediaDocProcessing&) = delete;
    CKestrelMediaDocProcessing& operator=(const CKestrelMediaDocProcessing&) = delete;

    void SetConvertingSetter(ConvertingSetter setter) { m_setConverting = std::move(setter); }

    // ITextMessageMngHandler
    HRESULT OnTextMessage(const wchar_t* text, DWORD flags) override;
    HRESULT OnNotifyMessage(DWORD id, DWORD value, DWORD extra) override;
    HRESULT OnNotifyText(DWORD id, const wchar_t* text, DWORD flags) override;

    // Starts from idle or resumes from paused; a negative result when the job
    // could not be made or run (the run state is then as before, and the log
    // says why). S_FALSE and nothing done while running.
    HRESULT StartConversion();
    // Running: pause; paused: resume; idle: nothing.
    void PauseConversion();
    // Stops a held job. Writes the stop and elapsed lines only when a run was
    // under way.
    void StopConversion();

    // Appends unless already registered. Listeners live as long as the document.
    void AddListener(IMessageMngHandler* listener);
    // A window that goes before the document takes itself off the list.
    void RemoveListener(IMessageMngHandler* listener);
    // Shows an error text to the listeners (code 8).
    void ReportError(std::wstring text);

    void NotifyListeners(const std::wstring& text, DWORD code);
    void BroadcastProgressRange(int range);
    void BroadcastProgressPos(int pos);
    void BroadcastClearMessages();
    void BroadcastFilesDone(int count);
    void BroadcastAborted();
    void BroadcastFinished();
    void BroadcastCurrentFileChanged();

    CProject* GetProject() const { return m_pProject.get(); }
    DWORD GetRunState() const { return m_pProject ? m_pProject->m_runState : CRunManager::kIdle; }
    int GetFilesDone() const { return m_nFilesDone; }
    // What the last finished run did (the engine's counts at its end).
    const CRunSummary& GetRunSummary() const { return m_runSummary; }

protected:
    // 1 when handled (the caller then broadcasts nothing more).
    int OnEngineMessage(const wchar_t* text, DWORD flags);
    void HandleNotifyMessage(DWORD id, DWORD value, DWORD extra);

    std::unique_ptr<CProject> m_pProject;

private:
    void WriteLine(UINT id, DWORD code, const std::vector<CMsgArg>& args = {});
    void WriteStartLine();
    void WritePauseLine();
    void WriteResumeLine();
    void WriteElapsedLine();
    void WriteSummaryLine();
    void OnFileProgress(DWORD value, DWORD extra);
    void EndOfRun();
    void SetConverting(bool on);
    // Drops what the engine queued for the job that just went.
    void ForgetQueuedMessages();

    CMessageMng* m_messageMng;
    std::unique_ptr<IRunClock> m_ownClock;
    IRunClock* m_clock;
    ConvertingSetter m_setConverting;

    std::tm m_stStart{};
    uint32_t m_dwStartTick = 0;
    uint32_t m_dwRunMs = 0;
    int32_t m_nFilesDone = 0;
    int64_t m_llFileTotal = 0;
    int32_t m_nPassDivisor = 1;
    int64_t m_llPartProgress = 0;
    double m_dPassWeight = 1.0;
    int64_t m_llJobBase = 0;
    int64_t m_llPartBase = 0;
    int64_t m_llPassesDone = 0;
    std::vector<IMessageMngHandler*> m_listeners;
    CRunSummary m_runSummary;
};
