#pragma once
// The output-format chooser of the advanced pane: a caption band, a large-icon
// list of the formats of the current source kind, and a band with the chosen
// format's title and description. CListViewFrameAdv lists the advanced
// operations instead.
#include "controls/format/FormatChangeNotify.h"
#include "controls/format/FormatRows.h"
#include <memory>
#include <wx/window.h>

class wxImageList;
class wxListCtrl;
class wxListEvent;
struct CSharedDrawObjects;

class CListViewFrame : public wxWindow {
public:
    static constexpr int kId = 190;
    static constexpr int kListId = 320;

    CListViewFrame() = default;
    ~CListViewFrame() override;
    bool Create(wxWindow* parent, const wxRect& rect, IFormatChangeNotify* notify,
                const CSharedDrawObjects* draw = nullptr);

    virtual void Fill();
    virtual void FillForKind(int kind);
    virtual void GetSelectionText(wxString& title, wxString& description) const;
    void SelectFormat(int kind, int id);
    void SelectByData(int kind, int id);
    void SetCaption(const wxString& caption);
    int GetKind() const { return m_kind; }
    wxListCtrl* GetList() const { return m_list; }
    long SelectedRow() const;

protected:
    void SetRows(const std::vector<FormatRow>& rows);
    int m_kind = 1;

private:
    bool SelectData(int id);
    void OnListClick(wxListEvent& event);
    void OnPaint(wxPaintEvent& event);
    void OnSizeChanged(wxSizeEvent& event);

    wxListCtrl* m_list = nullptr;
    std::unique_ptr<wxImageList> m_images;
    wxString m_caption;
    IFormatChangeNotify* m_notify = nullptr;
    const CSharedDrawObjects* m_draw = nullptr;
};

class CListViewFrameAdv : public CListViewFrame {
public:
    void Fill() override;
    void FillForKind(int kind) override;
    void GetSelectionText(wxString& title, wxString& description) const override;
};
