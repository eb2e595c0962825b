#include "controls/convert/OutputRichEditCtrl.h"
#include <algorithm>
#include <chrono>
#include <iterator>

COutputRichEditCtrl::~COutputRichEditCtrl()
{
    std::lock_guard lock(m_pendingLock);
    m_pending.clear();
    m_created = false;
}

bool COutputRichEditCtrl::Create(wxWindow* parent, wxWindowID id)
{
    if (!wxTextCtrl::Create(parent, id, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                            wxTE_MULTILINE | wxTE_READONLY | wxTE_RICH2 | wxTE_NOHIDESEL | wxTE_WORDWRAP))
        return false;
    SetBackgroundColour(*wxWHITE);
    Bind(wxEVT_LEFT_UP, &COutputRichEditCtrl::OnLeftUp, this);
    m_nextBatch.SetOwner(this);
    Bind(wxEVT_TIMER, [this](wxTimerEvent&) { AppendPending(); }, m_nextBatch.GetId());
    std::lock_guard lock(m_pendingLock);
    m_created = true;
    return true;
}

wxColour COutputRichEditCtrl::KindColour(int kind)
{
    switch (kind) {
    case 1: return wxColour(0, 0, 0xDC);  // warning: blue
    case 2: return wxColour(0xDC, 0, 0);  // error: red
    default: return *wxBLACK;
    }
}

void COutputRichEditCtrl::AddMessage(const std::wstring& text, int kind)
{
    Enqueue({text, kind});
}

void COutputRichEditCtrl::PostClear()
{
    // A clear waits in line with the lines, so lines added after it stay.
    Enqueue({std::wstring(), kClearRecord});
}

void COutputRichEditCtrl::Enqueue(SLogRecord record)
{
    {
        std::lock_guard lock(m_pendingLock);
        if (!m_created)
            return;
        m_pending.push_back(std::move(record));
        if (m_posted)
            return;
        m_posted = true;
    }
    CallAfter(&COutputRichEditCtrl::AppendPending);
}

// Lines go in a few at a time for at most a slice of the window thread's
// time, so a flood of them never holds it for long: the rest follows at the
// next turn.
void COutputRichEditCtrl::AppendPending()
{
    const auto start = std::chrono::steady_clock::now();
    long selFrom = 0, selTo = 0;
    GetSelection(&selFrom, &selTo);
    const bool atEnd = GetInsertionPoint() >= GetLastPosition() && selFrom == selTo;
    bool more = false;
    bool appended = false;
    Freeze();
    do {
        std::vector<SLogRecord> records;
        {
            std::lock_guard lock(m_pendingLock);
            const size_t n = std::min(m_pending.size(), kLinesPerBatch);
            records.assign(std::make_move_iterator(m_pending.begin()), std::make_move_iterator(m_pending.begin() + n));
            m_pending.erase(m_pending.begin(), m_pending.begin() + n);
            more = !m_pending.empty();
            m_posted = more;
        }
        for (const SLogRecord& record : records) {
            if (record.kind == kClearRecord)
                ClearAll();
            else
                AppendLine(record);
            appended = true;
        }
    } while (more && std::chrono::steady_clock::now() - start < kTimeSlice);
    if (appended) {
        if (atEnd) {
            SetInsertionPointEnd();
            ShowPosition(GetLastPosition());
        } else {
            SetSelection(selFrom, selTo);
        }
    }
    Thaw();
    // The rest waits for a timer: posted calls would all run before the
    // window thread saw to anything else.
    if (more)
        m_nextBatch.StartOnce(1);
}

void COutputRichEditCtrl::AppendLine(const SLogRecord& record)
{
    const wxTextAttr plain(KindColour(record.kind), *wxWHITE);
    wxTextAttr link(wxColour(0, 0x66, 0xCC), *wxWHITE);
    link.SetFontUnderlined(true);
    for (const STextTag& run : ParseLogLine(record.text)) {
        const long start = GetLastPosition();
        AppendText(wxString(run.text));
        const long stop = GetLastPosition();
        SetStyle(start, stop, run.link ? link : plain);
        if (run.link)
            m_links.push_back({run.text, run.target, run.id, start});
    }
}

void COutputRichEditCtrl::ClearAll()
{
    Clear();
    m_links.clear();
}

const SLink* COutputRichEditCtrl::LinkAt(long position) const
{
    for (const SLink& l : m_links)
        if (position >= l.position && position < l.position + static_cast<long>(l.text.size()))
            return &l;
    return nullptr;
}

void COutputRichEditCtrl::OnLeftUp(wxMouseEvent& event)
{
    event.Skip();
    long position = 0;
    if (HitTest(event.GetPosition(), &position) != wxTE_HT_ON_TEXT)
        return;
    long from = 0, to = 0;
    GetSelection(&from, &to);
    if (from != to)
        return;  // the user selected text; a click is a click without a drag
    if (const SLink* l = LinkAt(position); l && m_pOwner)
        m_pOwner(*l);
}
