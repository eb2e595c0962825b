#pragma once
// The output page's profile list and profile combo: owner-drawn rows with the
// group headings in the title font and the profiles indented below them.
#include "controls/profile/ProfileRows.h"
#include <wx/odcombo.h>
#include <wx/vlbox.h>

class CProfilesMng;
struct CSharedDrawObjects;

class CProfileListControl : public wxVListBox {
public:
    static constexpr int kRowHeight = 14;

    CProfileListControl(wxWindow* parent, wxWindowID id, const CSharedDrawObjects* draw);
    void SetProfileSource(CProfilesMng* profiles) { m_profiles = profiles; }
    // Refills from the profile source; current: the active output's "profile_name".
    void Fill(const std::wstring& current);
    // The selected row, 0 when none.
    int GetSelectedIndex() const;
    const std::vector<ProfileRow>& Rows() const { return m_rows; }

protected:
    void OnDrawItem(wxDC& dc, const wxRect& rect, size_t n) const override;
    wxCoord OnMeasureItem(size_t n) const override;
    void OnDrawBackground(wxDC& dc, const wxRect& rect, size_t n) const override;

private:
    void OnKeyDown(wxKeyEvent& event);

    CProfilesMng* m_profiles = nullptr;
    const CSharedDrawObjects* m_draw;
    std::vector<ProfileRow> m_rows;
};

class CProfileComboBox : public wxOwnerDrawnComboBox {
public:
    CProfileComboBox(wxWindow* parent, wxWindowID id, const CSharedDrawObjects* draw, int width);
    // Items and their records, one per row.
    void SetRows(const std::vector<ProfileRow>& rows, int selected);
    const std::vector<ProfileRow>& Rows() const { return m_rows; }

protected:
    void OnDrawItem(wxDC& dc, const wxRect& rect, int item, int flags) const override;
    wxCoord OnMeasureItem(size_t item) const override;
    void OnDrawBackground(wxDC& dc, const wxRect& rect, int item, int flags) const override;

private:
    const CSharedDrawObjects* m_draw;
    std::vector<ProfileRow> m_rows;
};

// Draws one row of either chooser.
void DrawProfileRow(wxDC& dc, const wxRect& rect, const ProfileRow& row, bool highlighted,
                    const CSharedDrawObjects* draw);
