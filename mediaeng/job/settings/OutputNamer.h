#pragma once
// Builds the output file name of each source from the naming settings: the
// pattern's tokens, "*" wildcards, letter case, web-safe names, the numeric
// variable and duplicate numbering. It remembers the names it gave in this run
// so two outputs of one batch never share a name, and never names an output
// after its own source.
//
// Pattern tokens: %f source name without extension, %e the format's extension,
// %n the numeric variable, %i the source's position in the batch (1, 2, ...),
// %u the date and time the run started (YYYYMMDD-HHMMSS), %p the name of the
// source's folder, %% a percent sign. "*" stands for the source name, and after
// the last dot for the format's extension ("*.*" is the source name with the
// format's extension).
#include "mediaeng/job/settings/JobSettings.h"
#include <ctime>
#include <filesystem>
#include <set>
#include <string>

namespace mediaeng::job {

class COutputNamer {
public:
    COutputNamer(const CNamingSettings& settings, const std::wstring& formatExtension, std::time_t runStart);

    // The final path for source number index (0-based) of the batch; the name
    // is reserved for this run. warning receives a text when a setting had to
    // be replaced (a malformed number format).
    std::filesystem::path MakeName(const std::filesystem::path& source, int index, std::wstring* warning = nullptr);

    // The folder outputs of source go to.
    std::filesystem::path DestinationFor(const std::filesystem::path& source) const;

    // Formats value with a printf-like "%0Nd" pattern (literal text around it
    // allowed); false when the pattern is not of that form.
    static bool FormatNumber(const std::wstring& pattern, long long value, std::wstring& out);
    static std::wstring MakeWebSafe(const std::wstring& name);

private:
    std::wstring ExpandPattern(const std::filesystem::path& source, int index, long long number) const;
    bool IsTaken(const std::filesystem::path& candidate, const std::filesystem::path& source) const;

    CNamingSettings m_settings;
    std::wstring m_extension;
    std::wstring m_stamp;
    long long m_nextNumber;
    std::set<std::filesystem::path> m_given;
};

}  // namespace mediaeng::job
