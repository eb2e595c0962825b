#pragma once
// The settings grid: shows one property schema as wxPropertyGrid rows, writes
// every edit straight into the field its schema property is bound to, and
// tells its owner window at once (WM_USER+7, then WM_USER+4, both sent, lParam
// the row). The grid keeps no copy of the settings: the bound fields are the
// truth. Rows are found by their bound property, never by position.
#include "controls/grid/GridRowPlan.h"
#include "platform/Variant.h"
#include <optional>
#include <wx/propgrid/propgrid.h>

class CPropertyGridProperty;

class CPropertiesEditCtrl : public wxPropertyGrid {
public:
    CPropertiesEditCtrl();
    CPropertiesEditCtrl(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                        const wxSize& size = wxDefaultSize);
    bool Create(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize);
    ~CPropertiesEditCtrl() override;

    // Replaces every row by the rows of tree (null: no rows). tree and context
    // are kept, not owned; editable 0 greys every row but those flagged 0x2000.
    void BuildRowsFromParameterTree(CPropertiesImpl* tree, void* context, bool editable);
    // Builds again from the kept tree and context, editable, keeping the
    // selected row; commitEdit first commits a changed in-place edit.
    void Rebuild(bool commitEdit);
    // Copies the bound fields into the rows without rebuilding; an open
    // in-place editor shows the new value too.
    void RefreshValues();

    // Writes the row back into its field and notifies the owner; nothing
    // while a rebuild runs.
    void OnPropertyChanged(wxPGProperty* row);
    // The action of a row's button (browse, dialog, colour or levels pop-up).
    void OnClickButton(CPropertyGridProperty& row);
    // The codec settings button of an option row: the codec's own dialog.
    void OnSettingsButton(wxPGProperty* row, CSchemaProperty& property);

    // Receiver of the notices; the parent when none is set.
    void SetOwnerWindow(wxEvtHandler* owner) { m_owner = owner; }
    CPropertiesImpl* GetTree() const { return m_tree; }
    void* GetContext() const { return m_context; }
    bool IsRebuilding() const { return m_rebuilding; }
    void SetRebuilding(bool on) { m_rebuilding = on; }

    // The row bound to property, or null.
    wxPGProperty* FindRow(const CSchemaProperty* property) const;
    static CSchemaProperty* RowProperty(const wxPGProperty* row);

    // The row's value as the bound field would take it; nothing when the row's
    // text is no value for the property (typed garbage).
    static std::optional<CVariant> RowValue(wxPGProperty* row, const CSchemaProperty& property);
    // Shows the field's current value in the row.
    static void ShowFieldValue(wxPGProperty* row, const CSchemaProperty& property);

protected:
    void Notify(const CSchemaProperty* property, wxPGProperty* row, bool hasContext);
    wxEvtHandler* Owner() const;

    // Names as wide as the longest needs, within 35..60 % of the grid, so
    // that neither column is cut short while the other has room to spare.
    void FitNameColumn();

private:
    void Init();
    wxPGProperty* MakeValueRow(const GridRowPlan& plan);
    void AddRow(wxPGProperty* parent, const GridRowPlan& plan);
    void OnChanged(wxPropertyGridEvent& event);
    void OnEditorText(wxCommandEvent& event);
    void CommitFrameSize(wxPGProperty* row, const CSchemaProperty& property, const wxString& previous);

    CPropertiesImpl* m_tree = nullptr;  // not owned
    void* m_context = nullptr;          // not owned, opaque
    bool m_rebuilding = false;
    bool m_sizeDialogOpen = false;
    wxEvtHandler* m_owner = nullptr;
};
