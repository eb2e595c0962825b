#pragma once
// A message handler for tests that records every line and event it receives.
#include "engine/MsgMng.h"
#include <mutex>
#include <string>
#include <vector>

namespace jobtest {

class CRecordingHandler final : public IMsgHandler {
public:
    struct Line {
        std::wstring text;
        DWORD flags;
    };
    struct Event {
        DWORD id, value, extra;
    };

    HRESULT QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG AddRef() override { return 1; }
    ULONG Release() override { return 1; }
    HRESULT OnTextMessage(const wchar_t* text, DWORD flags) override
    {
        std::lock_guard<std::mutex> lk(m_mutex);
        m_lines.push_back({text ? text : L"", flags});
        return S_OK;
    }
    HRESULT OnNotifyMessage(DWORD id, DWORD value, DWORD extra) override
    {
        std::lock_guard<std::mutex> lk(m_mutex);
        m_events.push_back({id, value, extra});
        return S_OK;
    }
    std::vector<Line> Lines() const
    {
        std::lock_guard<std::mutex> lk(m_mutex);
        return m_lines;
    }
    std::vector<Event> Events() const
    {
        std::lock_guard<std::mutex> lk(m_mutex);
        return m_events;
    }
    int Count(DWORD flag) const
    {
        int n = 0;
        for (const Line& l : Lines()) n += (l.flags & flag) ? 1 : 0;
        return n;
    }

private:
    mutable std::mutex m_mutex;
    std::vector<Line> m_lines;
    std::vector<Event> m_events;
};

}  // namespace jobtest
