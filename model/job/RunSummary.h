#pragma once
// What a finished conversion run did, from the counts the engine reports at
// its end: how many sources were converted, how many were left out (refused
// before the run or failed in it) and how many outputs came out shorter than
// their source because it broke off early. Only a run with none left out and
// none shorter is a plain success.
#include <string>

struct CRunSummary {
    int converted = 0;  // outputs written, the shorter ones included
    int total = 0;      // sources of the run, those refused before it included
    int shortened = 0;  // written, but their source ended early

    int LeftOut() const { return total > converted ? total - converted : 0; }
    bool IsPlainSuccess() const { return LeftOut() == 0 && shortened == 0; }
    // One line for the log and the end of the run: the converted count, then
    // the left-out and shorter counts where they are not zero.
    std::wstring Text() const;
};
