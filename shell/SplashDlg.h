#pragma once
// The splash window (template 1000) shown while the program starts: the
// picture 401 over its whole client area, nothing else.
#include <wx/bitmap.h>
#include <wx/dialog.h>

class CSplashDlg : public wxDialog {
public:
    static constexpr unsigned kTemplateId = 1000;
    static constexpr unsigned kBitmapId = 401;

    CSplashDlg() = default;
    // Modeless, centred on the screen; false when it could not be made.
    bool Create();

private:
    void OnPaint(wxPaintEvent& event);
    wxBitmap m_picture;
};

// The about dialog (template 100); no behaviour of its own.
class CAboutDlg {
public:
    static constexpr unsigned kTemplateId = 100;
    static int Show(wxWindow* parent);
};
