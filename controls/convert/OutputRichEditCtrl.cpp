#include "controls/convert/OutputRichEditCtrl.h"

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
    {
        std::lock_guard lock(m_pendingLock);
        if (!m_created)
            return;
        m_pending.push_back({text, kind});
    }
    CallAfter(&COutputRichEditCtrl::AppendPending);
}

void COutputRichEditCtrl::PostClear()
{
    {
        // A clear waits in line with the lines, so lines added after it stay.
        std::lock_guard lock(m_pendingLock);
        if (!m_created)
            return;
        m_pending.push_back({std::wstring(), kClearRecord});
    }
    CallAfter(&COutputRichEditCtrl::AppendPending);
}

void COutputRichEditCtrl::AppendPending()
{
    std::vector<SLogRecord> records;
    {
        std::lock_guard lock(m_pendingLock);
        records.swap(m_pending);
    }
    if (records.empty())
        return;
    long selFrom = 0, selTo = 0;
    GetSelection(&selFrom, &selTo);
    const bool atEnd = GetInsertionPoint() >= GetLastPosition() && selFrom == selTo;
    Freeze();
    for (const SLogRecord& record : records) {
        if (record.kind == kClearRecord)
            ClearAll();
        else
            AppendLine(record);
    }
    if (atEnd) {
        SetInsertionPointEnd();
        ShowPosition(GetLastPosition());
    } else {
        SetSelection(selFrom, selTo);
    }
    Thaw();
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
