#pragma once
// The join-images settings (template 484) of the image output: the join
// switch (property 40) and the rows and columns (42, 43), edited in place in
// the output's schema; the rows and columns edits are open while joining.
#include <wx/dialog.h>

class CPropertiesImpl;

class CJoinImageDlg : public wxDialog {
public:
    static constexpr int kTemplateId = 484;

    CJoinImageDlg(wxWindow* parent, CPropertiesImpl& settings);
    bool TransferDataToWindow() override;
    void UpdateEnables();

private:
    CPropertiesImpl& m_settings;
};
