#pragma once
// The rows of the format lists (text, icon, data) and their descriptions,
// without a window.
#include <string>
#include <vector>

struct FormatRow {
    std::wstring text;
    int image = 0;
    int data = 0;  // format id, or the operation code of the advanced list
    bool operator==(const FormatRow&) const = default;
};

// The output formats of a source kind (1 video, 2 audio, 4 image); none for another.
std::vector<FormatRow> FormatRowsForKind(int kind);
// Every video format, "Same as source" among them.
std::vector<FormatRow> AllVideoFormatRows();
// The advanced operations: the list before any kind, and for a kind.
std::vector<FormatRow> AdvancedRows();
std::vector<FormatRow> AdvancedRowsForKind(int kind);
// The string of an advanced operation's description, 0 for none.
unsigned AdvancedDescriptionId(int kind, int code);
