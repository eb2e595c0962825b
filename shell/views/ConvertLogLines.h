#pragma once
// What the conversion page makes of one message of the document: the lines it
// adds to the log (with their kind), or a new caption for the progress panel.
#include "platform/Types.h"
#include <string>
#include <vector>

struct ConvertLogLine {
    std::wstring text;
    int kind;  // 0 normal, 1 warning, 2 error
    bool operator==(const ConvertLogLine&) const = default;
};

struct ConvertMessageResult {
    bool isCaption = false;            // the text goes to the progress panel
    std::vector<ConvertLogLine> lines; // else these go to the log, in order
    DWORD lastCode = 0;                // the code the next message looks back at
};

ConvertMessageResult RouteConvertMessage(const std::wstring& text, DWORD code, DWORD lastCode);

// Enabled and checked state of the page's commands.
struct ConvertCommandUi {
    bool handled = false;
    bool enabled = false;
    bool checked = false;
};
struct ConvertLogState {
    bool hasFocus = false;
    long length = 0;
    bool hasSelection = false;
};
ConvertCommandUi ConvertCommandState(int command, DWORD runState, const ConvertLogState& log);
