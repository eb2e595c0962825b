#pragma once
// The rows the profile choosers show: group headings flush left, the profiles
// of a group indented, and which row the active output's profile is.
#include <string>
#include <vector>

class CProfilesMng;

struct ProfileRow {
    std::wstring text;
    bool header = false;
};

struct ProfileRows {
    std::vector<ProfileRow> rows;
    int selected = 0;  // the current profile's row, 0 when none matches
};

// current: the active output's "profile_name".
ProfileRows BuildProfileRows(const CProfilesMng& profiles, const std::wstring& current);
