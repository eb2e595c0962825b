#pragma once
// Texts of the player's errors, by the resource library's ids.
#include <string>

enum : unsigned {
    IDS_GRAB_NO_FRAME = 233,       // a grab ended without a picture
    IDS_GRAB_GRAPH_FAILED = 234,   // no grab graph could be built
    IDS_PLAY_GRAPH_FAILED = 524,   // no playback graph could be built; arguments: the cause in words, the result code
};

// The text of id, or a short fallback when the library lacks it.
std::wstring PlayerText(unsigned id);
// Declares the arguments of the player's messages (once per process).
void RegisterPlayerMessages();
