#pragma once
// The size entry (template 483) of a settings-grid size row: a width and a
// height, or a percentage of the source; the mode's radio buttons enable the
// matching edits. The caller presets the fields and reads them after OK.
#include <cstdint>
#include <wx/dialog.h>

class CSizeDlg : public wxDialog {
public:
    static constexpr int kTemplateId = 483;
    enum Mode : int32_t { kAbsolute = 0, kPercent = 1 };

    explicit CSizeDlg(wxWindow* parent);

    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;
    void UpdateEnables();

    int32_t m_width = 640;
    int32_t m_height = 320;
    int32_t m_percent = 100;
    int32_t m_mode = kAbsolute;
};
