#include "shell/frame/StatusTextFit.h"

std::wstring FitStatusText(const std::wstring& text, int room, const std::function<int(const std::wstring&)>& measure)
{
    std::wstring shown = text;
    while (!shown.empty() && measure(shown) >= room) {
        // The "..." added last time is not a place to cut.
        std::wstring body = shown;
        if (body.size() >= 3 && body.compare(body.size() - 3, 3, L"...") == 0 && shown != text)
            body.resize(body.size() - 3);
        const size_t cut = body.find_last_of(L" \\/_");
        if (cut == std::wstring::npos)
            break;
        std::wstring next = body.substr(0, cut) + L"...";
        if (next == shown)
            break;
        shown = std::move(next);
    }
    return shown;
}
