#pragma once
// Enable and check state of the commands the main frame itself carries out.

struct FrameCommandContext {
    int loadRecentDoc = 1;  // "Settings" / "LoadRecentDoc"
    int autoCheck = 1;      // "Settings" / "AutoCheck"
    int sourceType = 0;     // the project's source type
};

struct FrameCommandUi {
    bool handled = false;
    bool enabled = false;
    bool checkable = false;
    bool checked = false;
};

FrameCommandUi FrameCommandState(int command, const FrameCommandContext& context);
