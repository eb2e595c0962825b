#pragma once
// One item of the output profile list: "Custom", a group header, or a profile
// file with the settings read from it, ready to be applied to the project.
#include "platform/Types.h"
#include "platform/Variant.h"
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class CConfigMng;

class CProfileEntry {
public:
    // An entry's text is at most this many bytes; a longer one is dropped.
    static constexpr size_t kMaxEntry = 511;

    CProfileEntry(std::wstring name, CConfigMng* project, DWORD userDefined, DWORD groupHeader, DWORD inGroup);

    // Reads and parses the file; the relative path is set only when the file
    // could be read. False when it could not.
    bool Load(const std::wstring& path);
    // Parses "name:value;" entries, each followed by an optional line end
    // (LF or CR LF). Names are looked up in the project without regard to
    // case; unknown names, entries without ':' and over-long entries are
    // dropped; a value keeps every ':' after the first.
    void Parse(std::string_view text);
    // Sets every value into the project, in file order; names that no longer
    // match are ignored.
    void Apply() const;
    void AddValue(const std::wstring& name, const VARIANT& value);
    void ClearValues();
    std::wstring GetRelativePath() const { return m_relativePath; }

    std::wstring m_name;
    DWORD m_inGroup = 0;
    CConfigMng* m_project = nullptr;  // not owned
    DWORD m_groupHeader = 0;
    DWORD m_userDefined = 0;
    // Folder name, a backslash, file name: the form kept in "profile_name".
    std::wstring m_relativePath;
    std::vector<std::pair<std::wstring, CVariant>> m_values;

private:
    void ParseEntry(std::string_view entry);
};
