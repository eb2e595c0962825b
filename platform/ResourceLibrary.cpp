#include "platform/ResourceLibrary.h"
#include "platform/TextConv.h"
#include <atomic>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

std::unique_ptr<CResourceLibrary> CResourceLibrary::Load(const fs::path& folder)
{
    std::ifstream in(folder / "strings.tsv", std::ios::binary);
    if (!in) return nullptr;
    auto lib = std::unique_ptr<CResourceLibrary>(new CResourceLibrary);
    lib->m_folder = folder;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        size_t tab = line.find('\t');
        if (tab == std::string::npos || tab == 0) continue;
        char* end = nullptr;
        unsigned long id = std::strtoul(line.c_str(), &end, 10);
        if (end != line.c_str() + tab) continue;
        // "\n" and "\t" in the table stand for line breaks and tabs.
        std::string text;
        for (size_t i = tab + 1; i < line.size(); ++i) {
            if (line[i] == '\\' && i + 1 < line.size() && (line[i + 1] == 'n' || line[i + 1] == 't' || line[i + 1] == '\\')) {
                char n = line[++i];
                text += n == 'n' ? '\n' : n == 't' ? '\t' : '\\';
            } else {
                text += line[i];
            }
        }
        lib->m_strings.emplace(static_cast<uint32_t>(id), Utf8ToWide(text));  // first definition wins
    }
    return lib;
}

std::wstring CResourceLibrary::GetString(uint32_t id) const
{
    auto it = m_strings.find(id);
    return it == m_strings.end() ? std::wstring() : it->second;
}

fs::path CResourceLibrary::FindFile(uint32_t id, const std::wstring& extension) const
{
    fs::path p = m_folder / (std::to_string(id) + WideToUtf8(extension));
    std::error_code ec;
    return fs::exists(p, ec) ? p : fs::path();
}

namespace {
std::atomic<CResourceLibrary*> g_current{nullptr};
}

void SetCurrentResourceLibrary(CResourceLibrary* library)
{
    g_current = library;
}

CResourceLibrary* GetCurrentResourceLibrary()
{
    return g_current;
}

std::wstring LoadResString(uint32_t id)
{
    CResourceLibrary* lib = g_current;
    return lib ? lib->GetString(id) : std::wstring();
}

fs::path GetExecutableFolder()
{
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::current_path(ec) : exe.parent_path();
}
