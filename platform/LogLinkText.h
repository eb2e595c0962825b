#pragma once
// Links inside log lines: "#*link*#<text>#*#<target>#*#<id>" marks a run the
// conversion log shows as a link (the "Saved" line links each finished
// output). File names are untrusted text, so whatever is put into a log line
// goes through the escapes here: an escaped text never holds "#*", hence no
// marker, and ParseLogLine gives the original text back.
//
// The escape: "#*" becomes "#%2A" and "#%" becomes "#%25"; inside a link
// field, which always follows a '#', a leading '*' or '%' is escaped the same
// way ("%2A", "%25"). Names without "#*", "#%" and without a leading '*' or
// '%' stay unchanged.
#include <cstdint>
#include <string>
#include <vector>

inline constexpr const wchar_t* kLogLinkStart = L"#*link*#";
inline constexpr const wchar_t* kLogLinkSeparator = L"#*#";

// One run of a parsed line: plain text (empty target, id 0), or a link.
struct STextTag {
    std::wstring text;
    std::wstring target;
    int32_t id = 0;
    bool link = false;
    bool operator==(const STextTag&) const = default;
};

// Text for the plain part of a log line (a source name in "Converting ...").
std::wstring EscapeLogText(const std::wstring& text);
// Text for a link's text or target field.
std::wstring EscapeLogLinkField(const std::wstring& field);

// "#*link*#<name>#*#<target>#*#<id>" with both fields escaped.
std::wstring EncodeLogLink(const std::wstring& name, const std::wstring& target, int32_t id = 0);

// Splits a line into plain runs and links, in order, undoing the escapes.
// A link segment runs from its marker to the next marker or the line's end;
// its text ends at the first separator, its target at the second; the id is
// the decimal number after that (0 when there is none). A segment without a
// separator is all text.
std::vector<STextTag> ParseLogLine(const std::wstring& line);
