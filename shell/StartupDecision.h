#pragma once
// Which project the program opens at start-up: a ".km" named on the command
// line, else the most recent project when "LoadRecentDoc" is set and the file
// still is a project file, else a new untitled project.
#include <functional>
#include <string>

struct StartupInputs {
    bool loadRecentDoc = true;      // "Settings"/"LoadRecentDoc"
    std::wstring recentFile;        // first entry of the recent-file list
    std::wstring commandLineFile;   // the file named on the command line
};

struct StartupDecision {
    enum class Kind { NewDocument, OpenRecent, OpenCommandLine };
    Kind kind = Kind::NewDocument;
    std::wstring path;
};

using ConfigFileTest = std::function<bool(const std::wstring&)>;

// isConfigFile null: CConfigMng::IsConfigFile.
StartupDecision DecideStartupDocument(const StartupInputs& in, const ConfigFileTest& isConfigFile = nullptr);
