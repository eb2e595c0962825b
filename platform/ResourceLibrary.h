#pragma once
// The program's resource library: a folder "res" beside the program holding
// strings.tsv (numeric id, TAB, UTF-8 text), dialogs and menus as XRC files
// named by id, and images named by id. Handles are stable for the process.
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

class CResourceLibrary {
public:
    // Loads the folder; null when it or its string table is missing.
    static std::unique_ptr<CResourceLibrary> Load(const std::filesystem::path& folder);

    // Empty text for an id the table does not hold.
    std::wstring GetString(uint32_t id) const;
    bool HasString(uint32_t id) const { return m_strings.count(id) != 0; }
    // The file for an id with one of the given extensions (".xrc", ".png", ...),
    // or an empty path.
    std::filesystem::path FindFile(uint32_t id, const std::wstring& extension) const;
    const std::filesystem::path& Folder() const { return m_folder; }

private:
    std::filesystem::path m_folder;
    std::map<uint32_t, std::wstring> m_strings;
};

// The process-wide library the program's texts come from. The shell installs it
// at start-up (through GetResourceModule); tests point it at the build's folder.
void SetCurrentResourceLibrary(CResourceLibrary* library);
CResourceLibrary* GetCurrentResourceLibrary();
// Text of a string id from the current library; empty when none is installed.
std::wstring LoadResString(uint32_t id);
// The folder of the running executable.
std::filesystem::path GetExecutableFolder();
