// Entry point of the window program. Until the main frame exists it only
// confirms that the libraries link and tells the user so.
#include <wx/wx.h>

class CStubApp : public wxApp {
public:
    bool OnInit() override
    {
        wxMessageOutput::Get()->Printf("KestrelMedia: the main window is not built yet.");
        return false;
    }
};

wxIMPLEMENT_APP(CStubApp);
