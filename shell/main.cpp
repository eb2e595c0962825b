// Entry point of the window program: the wxWidgets application forwards its
// start and end to CKestrelMediaApp.
#include "shell/KestrelMediaApp.h"
#include "platform/GlProbe.h"
#include "platform/HeapTuning.h"
#include "platform/Settings.h"
#include <wx/app.h>
#include <wx/cmdline.h>

class CKestrelMediaWxApp : public wxApp {
public:
    bool OnInit() override
    {
        m_glProbeSkip.Restore();
        KM::KeepPictureBuffersOnHeap();
        SetAppName("KestrelMedia");
        SetVendorName("KestrelMedia Soft");
        SetAppDisplayName("KestrelMedia");
        // Settings are written once changes settle: a kill writes them first.
        CSettingsStore::FlushOnSignals();
        CKestrelMediaApp::StartupOptions options;
        // The framework's shell command: a project named on the command line.
        for (int i = 1; i < argc; ++i) {
            wxString arg = argv[i];
            if (!arg.StartsWith("-")) {
                options.commandLineFile = arg.ToStdWstring();
                break;
            }
        }
        return m_app.InitInstance(options);
    }

    int OnExit() override
    {
        m_app.ExitInstance();
        CSettingsStore::Instance().Flush();
        return wxApp::OnExit();
    }

private:
    KM::CGlProbeSkip m_glProbeSkip;  // before the toolkit opens the display
    CKestrelMediaApp m_app;
};

wxIMPLEMENT_APP(CKestrelMediaWxApp);
