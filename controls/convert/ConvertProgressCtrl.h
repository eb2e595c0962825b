#pragma once
// The progress panel of the conversion page: a bar with the percentage in its
// middle and, below it, the count of finished files and the engine's caption.
#include <string>

struct CSharedDrawObjects;
#include <wx/window.h>

class CConvertProgressCtrl : public wxWindow {
public:
    static constexpr int kId = 1;

    CConvertProgressCtrl() = default;
    // draw: the program's shared fonts and colours; null draws with the window's font.
    bool Create(wxWindow* parent, const CSharedDrawObjects* draw = nullptr);

    // Percentage of m_nPos in the range: 0 for an empty range, never above
    // 100, and at least 1 once the position has moved.
    static int Percent(int pos, int min, int max);
    int GetPercent() const { return Percent(m_nPos, m_nMin, m_nMax); }
    void SetText(const std::wstring& text);
    // Paints now, not at the next paint event.
    void RedrawNow();
    // The text line below the bar.
    wxString FilesLine() const;

    int m_nPos = 0;
    int m_nMax = 100;
    const int m_nMin = 0;
    int m_nFilesDone = 0;
    std::wstring m_strCaption;

private:
    void OnPaint(wxPaintEvent& event);
    void Draw(wxDC& dc);

    const CSharedDrawObjects* m_draw = nullptr;
};
