#pragma once
// The source properties grid: what the media engine knows of the selected
// source, as categories of read-only rows, except the per-stream switches,
// which are check box rows writing through to the source entry's stored
// setting and to the engine. Changes send WM_USER+4 (wParam 0) to the owner.
#include "model/schema/SchemaProperties.h"
#include <memory>
#include <vector>
#include <wx/propgrid/propgrid.h>
#include <wx/propgrid/props.h>

class CKMFile;
struct IPropertyContainer;

class CPropertiesCtrl : public wxPropertyGrid {
public:
    CPropertiesCtrl(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                    const wxSize& size = wxDefaultSize);
    ~CPropertiesCtrl() override;

    // Shows the facts of source (null: no rows); the entry is not owned.
    void SetSource(CKMFile* source);
    CKMFile* GetSource() const { return m_source; }
    void BuildRowsFromPropertySet(IPropertyContainer* collection, wxPGProperty* parent);
    void OnPropertyChanged(wxPGProperty* row);
    void SetOwnerWindow(wxEvtHandler* owner) { m_owner = owner; }

private:
    // Texts of the rows that stand for a file that cannot be read.
    enum : unsigned { kCannotBeRead = 61440, kWhy = 61441 };
    void AddOpenError(const std::wstring& reason);
    void AddCategory(IPropertyContainer* category, wxPGProperty* parent);
    void AddFact(IUnknown* item, wxPGProperty* category);
    void ClearRows();

    CKMFile* m_source = nullptr;  // not owned
    wxEvtHandler* m_owner = nullptr;
    // The records behind the switch rows; they live as long as their rows.
    std::vector<std::unique_ptr<CSchemaProperty>> m_records;
};
