#pragma once
// The advanced page of the file-name pattern (template 385): name and
// extension case, number format, start and increment with spin buttons and
// arrow keys, and two switches, edited in place in the output's schema
// (properties 56-63).
#include <wx/dialog.h>

class CPropertiesImpl;
class wxTextCtrl;

class CFileNamePatternAdvDlg : public wxDialog {
public:
    static constexpr int kTemplateId = 385;

    CFileNamePatternAdvDlg(wxWindow* parent, CPropertiesImpl& settings);
    // A spin step of spin 1501 (edit 1126) or 11457 (edit 1127).
    void SpinStep(int spinId, int delta);
    // An Up or Down key in edit 1126 or 1127; false for other keys or edits.
    bool KeyStep(int editId, bool up);

private:
    CPropertiesImpl& m_settings;
};
