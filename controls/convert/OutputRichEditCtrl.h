#pragma once
// The conversion log: read-only coloured lines (normal, warning, error) with
// links to the files a conversion wrote. Lines may be added from any thread;
// they are queued and appended on the window's thread.
#include "platform/LogLinkText.h"
#include <chrono>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>
#include <wx/textctrl.h>
#include <wx/timer.h>

struct SLogRecord {
    std::wstring text;
    int kind = 0;  // 0 normal, 1 warning, 2 error
};

struct SLink {
    std::wstring text;
    std::wstring target;
    int32_t id = 0;
    long position = 0;  // where the link's text starts in the control
};

class COutputRichEditCtrl : public wxTextCtrl {
public:
    using LinkHandler = std::function<void(const SLink&)>;

    // owner hears the clicks on links.
    explicit COutputRichEditCtrl(LinkHandler owner) : m_pOwner(std::move(owner)) {}
    ~COutputRichEditCtrl() override;
    bool Create(wxWindow* parent, wxWindowID id = 0);

    // Any thread. A line for a control that has no window yet is dropped.
    void AddMessage(const std::wstring& text, int kind);
    // Any thread: empties the log after the lines queued before.
    void PostClear();

    static wxColour KindColour(int kind);
    const std::vector<SLink>& Links() const { return m_links; }
    // The link at a character position, or null.
    const SLink* LinkAt(long position) const;

private:
    static constexpr int kClearRecord = -1;
    static constexpr size_t kLinesPerBatch = 20;
    static constexpr std::chrono::milliseconds kTimeSlice{15};

    void Enqueue(SLogRecord record);
    void AppendPending();
    void AppendLine(const SLogRecord& record);
    void ClearAll();
    void OnLeftUp(wxMouseEvent& event);

    LinkHandler m_pOwner;
    std::vector<SLink> m_links;
    std::mutex m_pendingLock;
    std::deque<SLogRecord> m_pending;
    bool m_posted = false;  // a call to AppendPending is on its way
    wxTimer m_nextBatch;    // the next batch of a long queue
    bool m_created = false;
};
