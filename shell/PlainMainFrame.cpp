#include "shell/PlainMainFrame.h"
#include "controls/ids/StringIds.h"
#include "controls/ids/CommandIds.h"
#include "controls/res/ResourceBridge.h"
#include "shell/KestrelMediaApp.h"
#include "shell/KestrelMediaDoc.h"
#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/stockitem.h>

namespace {

class CPlainMainFrame : public wxFrame {
public:
    explicit CPlainMainFrame(CKestrelMediaApp& app)
        : wxFrame(nullptr, wxID_ANY, KM::Res::LoadString(KM::Str::ProgramName), wxDefaultPosition, wxSize(700, 525)), m_app(app)
    {
        auto* file = new wxMenu;
        file->Append(KM::Cmd::FileNew);
        file->Append(KM::Cmd::FileOpen);
        file->Append(KM::Cmd::FileSave);
        file->Append(KM::Cmd::FileSaveAs);
        file->AppendSeparator();
        file->Append(KM::Cmd::AppExit);
        auto* help = new wxMenu;
        help->Append(KM::Cmd::AppAbout);
        auto* bar = new wxMenuBar;
        bar->Append(file, wxGetStockLabel(wxID_FILE));
        bar->Append(help, wxGetStockLabel(wxID_HELP));
        SetMenuBar(bar);
        Bind(wxEVT_MENU, [this](wxCommandEvent&) { m_app.OnFileNew(); UpdateTitle(); }, KM::Cmd::FileNew);
        Bind(wxEVT_MENU, [this](wxCommandEvent&) { m_app.OnFileOpen(); UpdateTitle(); }, KM::Cmd::FileOpen);
        Bind(wxEVT_MENU, [this](wxCommandEvent&) { m_app.OnFileSave(); UpdateTitle(); }, KM::Cmd::FileSave);
        Bind(wxEVT_MENU, [this](wxCommandEvent&) { m_app.OnFileSaveAs(); UpdateTitle(); }, KM::Cmd::FileSaveAs);
        Bind(wxEVT_MENU, [this](wxCommandEvent&) { Close(); }, KM::Cmd::AppExit);
        Bind(wxEVT_MENU, [this](wxCommandEvent&) { m_app.OnAppAbout(); }, KM::Cmd::AppAbout);
        Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent& e) {
            if (e.CanVeto() && !m_app.CanCloseMainFrame()) {
                e.Veto();
                return;
            }
            if (CKestrelMediaDoc* doc = m_app.GetDocument()) doc->StopConversion();
            Destroy();
        });
        Bind(wxEVT_ACTIVATE, [this](wxActivateEvent& e) {
            UpdateTitle();
            e.Skip();
        });
        UpdateTitle();
    }

private:
    void UpdateTitle()
    {
        if (CKestrelMediaDoc* doc = m_app.GetDocument())
            SetTitle(wxString(doc->GetTitle()) + " - " + KM::Res::LoadString(KM::Str::ProgramName));
    }

    CKestrelMediaApp& m_app;
};

}  // namespace

wxFrame* CreatePlainMainFrame(CKestrelMediaApp& app)
{
    return new CPlainMainFrame(app);
}
