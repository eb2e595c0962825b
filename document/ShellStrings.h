#pragma once
// Ids of the shell's own texts in the resource library, and the one way they
// are turned into lines: loaded by id and filled only with the arguments the
// id is declared to take.
#include "engine/MsgMng.h"
#include <string>
#include <vector>

enum : UINT {
    IDS_FILE_DONE = 220,
    IDS_ENGINE_NOTE = 521,          // %s: the engine's text
    IDS_RUN_START = 61357,          // %s %s: date, time
    IDS_RUN_STOP = 61358,
    IDS_RUN_ELAPSED = 61359,        // %s: elapsed time
    IDS_RUN_PAUSE = 61360,
    IDS_RUN_RESUME = 61361,
    IDS_RUN_END = 61362,
    IDS_ENGINE_TEXT = 61363,        // %s: the engine's text
    IDS_RUN_START_FAILED = 7201,    // %s %x: the cause in words, the result code
    IDS_PROJECT_NOT_OPENED = 7202,  // %s: path
    IDS_PROJECT_CUT_OFF = 7203,     // %s: path
    IDS_PROJECT_NOT_SAVED = 7204,   // %s: path
    IDS_PROJECT_CMDLINE = 7205,     // %s: path
    IDS_DOC_TEMPLATE = 128,
    IDS_SAVE_CHANGES = 7207,        // %s: document title
    IDS_UNTITLED = 7208,
};

// Declares the argument kinds of the ids above (CMsgMng::SetMessageArgs).
void DeclareShellStringArgs();
// The text of id filled with args; the id's own text when it takes none.
std::wstring ShellText(UINT id, const std::vector<CMsgArg>& args = {});
CMsgArg TextArg(const std::wstring& text);
CMsgArg CodeArg(HRESULT hr);
// The cause of hr in words, then its code: the arguments of a failure line.
std::vector<CMsgArg> CauseArgs(HRESULT hr);
