#pragma once
// The modal "Please wait..." dialog (template 421) shown while a slow media
// source open continues on a worker thread. The worker reports progress and
// asks whether to go on through the dialog's IProgressImpl, and closes the
// dialog when the open ends; Cancel only asks the worker to stop.
//
// Threads: made, shown and destroyed on the user-interface thread. SetRange,
// SetPos, CanContinue and Close may be called from the worker; they touch no
// window: a changed percentage and the close are posted to the window thread.
// The object must outlive the worker (the opener joins it before letting go).
#include "engine/MediaSourceGraph.h"
#include "model/source/SourceShell.h"
#include <atomic>
#include <memory>
#include <mutex>

class wxDialog;

class CProgressDlg : public IProgressDlg, public IProgressImpl {
public:
    static constexpr unsigned kTemplateId = 421;
    static constexpr int kProgressBarId = 1008;
    static constexpr int kCaptionId = 1009;

    CProgressDlg();
    ~CProgressDlg() override;

    // IProgressDlg
    IProgressImpl* GetProgress() override { return this; }
    void DoModal() override;
    void Close() override;

    // IProgressImpl: not reference counted.
    HRESULT QueryInterface(REFIID, void**) override { return S_FALSE; }
    ULONG AddRef() override { return 0; }
    ULONG Release() override { return 0; }
    HRESULT SetRange(LONGLONG total) override;
    HRESULT SetPos(LONGLONG pos) override;
    HRESULT Reserved() override { return S_OK; }
    BOOL CanContinue() override { return m_stop.load() ? 0 : 1; }

    // For tests: how often the bar was told a new percentage, and whether the
    // window is up.
    int BarUpdates() const { return m_barUpdates.load(); }
    bool IsShown() const { return m_shown.load(); }
    wxDialog* GetWindow() const;

private:
    struct Shared;
    std::shared_ptr<Shared> m_shared;
    std::atomic<uint64_t> m_total{0};
    std::atomic<int> m_lastPercent{0};
    std::atomic<int> m_barUpdates{0};
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_closed{false};
    std::atomic<bool> m_shown{false};
};

// Makes a CProgressDlg for every slow open.
class CProgressDlgFactory : public IProgressDlgFactory {
public:
    std::unique_ptr<IProgressDlg> CreateProgressDlg() override { return std::make_unique<CProgressDlg>(); }
};
