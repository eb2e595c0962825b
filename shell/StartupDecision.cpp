#include "shell/StartupDecision.h"
#include "model/config/ConfigMng.h"

StartupDecision DecideStartupDocument(const StartupInputs& in, const ConfigFileTest& isConfigFile)
{
    StartupDecision d;
    if (!in.commandLineFile.empty()) {
        // The user named it: it is opened (and a failure said) whatever it is.
        d.kind = StartupDecision::Kind::OpenCommandLine;
        d.path = in.commandLineFile;
        return d;
    }
    if (!in.loadRecentDoc || in.recentFile.empty()) return d;
    bool isProject = isConfigFile ? isConfigFile(in.recentFile) : CConfigMng::IsConfigFile(in.recentFile);
    if (isProject) {
        d.kind = StartupDecision::Kind::OpenRecent;
        d.path = in.recentFile;
    }
    return d;
}
