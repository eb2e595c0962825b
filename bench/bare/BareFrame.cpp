// The reference of the start-up benchmark: a bare wxWidgets program that
// shows one frame of the main window's size and quits at the first idle moment
// after it is shown. It links wxWidgets' core and base alone.
#include <wx/app.h>
#include <wx/frame.h>

class CBareApp : public wxApp {
public:
    bool OnInit() override
    {
        auto* frame = new wxFrame(nullptr, wxID_ANY, "KestrelMedia", wxDefaultPosition, wxSize(1024, 700));
        frame->Show();
        SetTopWindow(frame);
        Bind(wxEVT_IDLE, [frame](wxIdleEvent&) {
            if (frame->IsShown()) wxTheApp->ExitMainLoop();
        });
        return true;
    }
};

wxIMPLEMENT_APP(CBareApp);
