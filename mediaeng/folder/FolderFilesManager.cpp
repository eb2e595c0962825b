#include "engine/FolderFilesManager.h"
#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <system_error>

namespace fs = std::filesystem;

namespace {

wchar_t Fold(wchar_t c) { return static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c))); }

// '*' any run, '?' one character; iterative with one backtrack point.
bool MatchOne(const std::wstring& name, const std::wstring& pattern)
{
    size_t n = 0, p = 0, starP = std::wstring::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == L'?' || Fold(pattern[p]) == Fold(name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == L'*') {
            starP = p++;
            starN = n;
        } else if (starP != std::wstring::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == L'*') ++p;
    return p == pattern.size();
}

bool IsRealDirectory(const fs::directory_entry& e)
{
    std::error_code ec;
    return !e.is_symlink(ec) && e.is_directory(ec);
}

}  // namespace

bool CFolderFilesManager::MatchMask(const std::wstring& name, const std::wstring& mask)
{
    bool any = false;
    size_t start = 0;
    while (start <= mask.size()) {
        size_t end = mask.find(L';', start);
        if (end == std::wstring::npos) end = mask.size();
        std::wstring part = mask.substr(start, end - start);
        part.erase(0, part.find_first_not_of(L' '));
        part.erase(part.find_last_not_of(L' ') + 1);
        if (!part.empty()) {
            any = true;
            // "*.*" names every file, also those without a dot.
            if (part == L"*.*" || MatchOne(name, part)) return true;
        }
        start = end + 1;
    }
    return !any;
}

bool CFolderFilesManager::Init(const wchar_t* folder, const wchar_t* mask, const wchar_t* exclude, bool recursive,
                               bool folders)
{
    m_results.clear();
    m_paths.clear();
    m_next = 0;
    m_current.clear();
    if (!folder || !*folder) return false;
    const std::wstring maskText = mask ? mask : L"";
    const fs::path excluded = exclude && *exclude ? fs::path(exclude).lexically_normal() : fs::path();

    std::vector<std::pair<std::wstring, fs::path>> found;  // (sort key, path)
    std::vector<fs::path> pending{fs::path(folder)};
    bool readable = false;
    while (!pending.empty()) {
        fs::path dir = pending.back();
        pending.pop_back();
        std::error_code ec;
        fs::directory_iterator it(dir, fs::directory_options::skip_permission_denied, ec);
        if (ec) continue;
        readable = true;
        for (; it != fs::directory_iterator(); it.increment(ec)) {
            if (ec) break;
            const fs::directory_entry& e = *it;
            if (!excluded.empty() && e.path().lexically_normal() == excluded) continue;
            const bool isDir = IsRealDirectory(e);
            if (isDir && recursive && !folders) pending.push_back(e.path());
            std::error_code fec;
            if (folders ? isDir : (!isDir && e.is_regular_file(fec) && MatchMask(e.path().filename().wstring(), maskText)))
                found.emplace_back((folders ? e.path().filename() : e.path()).wstring(), e.path());
        }
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        // Case-blind first, then exact, so the order is stable and total.
        const std::wstring& x = a.first;
        const std::wstring& y = b.first;
        size_t n = std::min(x.size(), y.size());
        for (size_t i = 0; i < n; ++i)
            if (Fold(x[i]) != Fold(y[i])) return Fold(x[i]) < Fold(y[i]);
        if (x.size() != y.size()) return x.size() < y.size();
        return x < y;
    });
    for (auto& [key, path] : found) {
        m_results.push_back(key);
        m_paths.push_back(path.wstring());
    }
    return readable;
}

bool CFolderFilesManager::GetNext(wchar_t* buffer, size_t size)
{
    while (m_next < m_results.size()) {
        const size_t i = m_next++;
        const std::wstring& text = m_results[i];
        if (buffer && text.size() >= size) continue;
        if (buffer) std::wcscpy(buffer, text.c_str());
        m_current = m_paths[i];
        return true;
    }
    return false;
}
