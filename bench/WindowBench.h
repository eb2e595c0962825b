#pragma once
// Shared by the benchmarks of the window program: starting it the way a
// measurement wants it and ending it without a question.
#include "platform/Settings.h"
#include "shell/KestrelMediaApp.h"
#include "document/KestrelMediaDoc.h"
#include "shell/frame/MainFrame.h"

namespace bench {

// No update check (no network in a measurement), the built resources, no splash.
inline bool StartWindowProgram(CKestrelMediaApp& app)
{
    CSettingsStore::Instance().SetInt(L"Settings", L"AutoCheck", 0);
    CKestrelMediaApp::StartupOptions options;
    options.resourceFolder = KM_RES_DIR;
    options.showSplash = false;
    return app.InitInstance(options);
}

// Ends the program without asking to save.
inline void StopWindowProgram(CKestrelMediaApp& app)
{
    if (app.GetDocument()) app.GetDocument()->SetModifiedFlag(false);
    app.ExitInstance();
}

}  // namespace bench
