#pragma once
// The output file-name pattern builder (template 485): the pattern (property
// 13) with buttons that insert its tokens at the caret, and the advanced page.
#include <wx/dialog.h>

class CPropertiesImpl;
class wxTextCtrl;

class CFilenameBuilderDlg : public wxDialog {
public:
    static constexpr int kTemplateId = 485;

    CFilenameBuilderDlg(wxWindow* parent, CPropertiesImpl& settings);
    // Replaces the pattern edit's selection by token, leaving the caret after it.
    void InsertToken(const wxString& token);
    wxTextCtrl* PatternEdit() const;

private:
    CPropertiesImpl& m_settings;
};
