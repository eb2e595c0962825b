#pragma once
// Names the program registers once and other parts look up: the log's link
// markers, the private clipboard format the file list's drop target refuses,
// and the tray messages' names.
#include <wx/dataobj.h>

namespace KM::Shell {

// A log line "...#*link*#text#*#target#*#id..." shows text as a link to target.
inline constexpr const wchar_t* kLinkStart = L"#*link*#";
inline constexpr const wchar_t* kLinkSeparator = L"#*#";

inline constexpr const char* kClipboardFormatName = "KestrelMedia_3BCFE9D1_6D61_4cb6_9D0B_3BB3F643CA82";
inline constexpr const char* kTaskbarCreated = "TaskbarCreated";
inline constexpr const char* kHideTrayNotification = "KestrelMediaHideProcessTrayNotification";

// The private clipboard format, made once (window thread).
inline const wxDataFormat& ClipboardFormat()
{
    static const wxDataFormat format(kClipboardFormatName);
    return format;
}

}  // namespace KM::Shell
