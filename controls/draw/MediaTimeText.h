#pragma once
// The text of a media time as the player and the timeline show it:
// "00:ss", "00:mm:ss", "h:mm:ss" or "hh:mm:ss".
#include <cstdint>
#include <wx/string.h>

// time in 100-ns units. A time within 1/10000 s below a whole second shows that
// second (carried into minutes and hours); negative times show as 00:00.
wxString FormatMediaTime(int64_t time);
