#include "model/profile/ProfilesMng.h"

#include "model/project/Project.h"
#include "model/util/FileDirTools.h"
#include "platform/TextConv.h"
#include <algorithm>
#include <cctype>
#include <climits>
#include <cwchar>
#include <cwctype>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

enum : UINT {
    IDS_PROFILE_SAVE_FAILED = 5301,
    IDS_PROFILE_BAD_NAME = 5302,
    IDS_PROFILE_DELETE_FAILED = 5303,
};

fs::path ToPath(const std::wstring& path)
{
    return fs::path(WideToUtf8(path));
}

std::wstring Join(const std::wstring& folder, const std::wstring& name)
{
    if (folder.empty() || folder.back() == L'/') return folder + name;
    return folder + L"/" + name;
}

bool EndsWithNoCase(const std::wstring& text, const std::wstring& suffix)
{
    return text.size() >= suffix.size() && EqualsNoCase(text.substr(text.size() - suffix.size()), suffix);
}

// A profile name names one file inside its group folder, nothing else.
bool IsValidProfileName(const std::wstring& name)
{
    return !name.empty() && name.find_first_of(L"/\\") == std::wstring::npos &&
           name.find(L"..") == std::wstring::npos;
}

struct FolderItem {
    std::wstring name;
    std::wstring path;  // the folder itself for a group, the holding folder for a file
    bool group = false;
    DWORD userDefined = 0;
};

bool ByName(const FolderItem& a, const FolderItem& b)
{
    std::string x = WideToUtf8(a.name), y = WideToUtf8(b.name);
    auto lower = [](unsigned char c) { return static_cast<char>(std::tolower(c)); };
    std::transform(x.begin(), x.end(), x.begin(), lower);
    std::transform(y.begin(), y.end(), y.begin(), lower);
    return x != y ? x < y : a.name < b.name;
}

// The names in a folder, sorted; nothing when it cannot be listed.
std::vector<FolderItem> ListFolder(const std::wstring& folder)
{
    std::vector<FolderItem> items;
    std::error_code ec;
    fs::directory_iterator it(ToPath(folder), ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        FolderItem item;
        item.name = Utf8ToWide(it->path().filename().string());
        item.group = it->is_directory(ec);
        item.path = item.group ? Join(folder, item.name) + L"/" : folder;
        items.push_back(std::move(item));
    }
    std::sort(items.begin(), items.end(), ByName);
    return items;
}

// "user<n>" as the C library's "user%d" reads it; 0 when it does not.
long long UserNumber(const std::wstring& stem)
{
    if (stem.compare(0, 4, L"user") != 0) return 0;
    size_t i = 4;
    while (i < stem.size() && std::iswspace(stem[i])) ++i;
    bool negative = false;
    if (i < stem.size() && (stem[i] == L'+' || stem[i] == L'-')) negative = stem[i++] == L'-';
    if (i >= stem.size() || !std::iswdigit(stem[i])) return 0;
    long long n = 0;
    for (; i < stem.size() && std::iswdigit(stem[i]) && n <= INT_MAX; ++i) n = n * 10 + (stem[i] - L'0');
    return negative ? -n : std::min<long long>(n, INT_MAX);
}

}  // namespace

CProfilesMng::CProfilesMng()
    : m_shippedRoot(CFileDirTools::GetAppPath() + L"Profiles/"),
      m_userRoot(CFileDirTools::GetAppDataPath() + L"Profiles/")
{
    SetMessageArgs(IDS_PROFILE_SAVE_FAILED, "s");
    SetMessageArgs(IDS_PROFILE_BAD_NAME, "s");
    SetMessageArgs(IDS_PROFILE_DELETE_FAILED, "s");
}

CProfilesMng::~CProfilesMng() = default;

void CProfilesMng::SetFolders(const std::wstring& shippedRoot, const std::wstring& userRoot)
{
    m_shippedRoot = shippedRoot;
    m_userRoot = userRoot;
}

std::wstring CProfilesMng::CategoryName() const
{
    switch (m_category) {
    case kCategoryVideo: return L"Video";
    case kCategoryAudio: return L"Audio";
    case kCategoryImage: return L"Image";
    default: return {};  // the "Profiles" folder itself
    }
}

std::wstring CProfilesMng::ShippedCategoryFolder() const
{
    std::wstring name = CategoryName();
    return name.empty() ? m_shippedRoot : Join(m_shippedRoot, name) + L"/";
}

std::wstring CProfilesMng::UserGroupFolder() const
{
    std::wstring name = CategoryName();
    std::wstring category = name.empty() ? m_userRoot : Join(m_userRoot, name) + L"/";
    return Join(category, kUserGroup) + L"/";
}

void CProfilesMng::Reload(CProject* project, int force)
{
    if (project) {
        if (project->GetVideoOutput()->is_create)
            m_category = kCategoryVideo;
        else if (project->GetImageOutput()->is_create)
            m_category = kCategoryImage;
        else if (project->GetAudioOutput()->is_create)
            m_category = kCategoryAudio;
    }
    // Another project (a new or loaded document) always rebuilds: the entries
    // must never keep pointing at the project that was replaced.
    if (static_cast<int32_t>(m_category) == m_loadedCategory && !force && project == m_project) return;
    Clear();
    m_project = project;
    AddEntry(L"Custom", L"", 0, 0, 0);
    ScanCategoryFolder();
    m_loadedCategory = static_cast<int32_t>(m_category);
}

void CProfilesMng::AddEntry(const std::wstring& name, const std::wstring& folder, DWORD userDefined,
                            DWORD groupHeader, DWORD inGroup)
{
    auto entry = std::make_unique<CProfileEntry>(name, m_project, userDefined, groupHeader, inGroup);
    // The name never carries the extension, so a name with a dot of its own
    // still reads its ".vlprofile" file.
    if (!folder.empty()) entry->Load(Join(folder, name + kExtension));
    m_entries.push_back(std::move(entry));
}

void CProfilesMng::OnProjectReplacing(CProject* oldProject, CProject*)
{
    if (oldProject != m_project)
        return;
    Clear();
    m_project = nullptr;
    m_loadedCategory = -1;
}

void CProfilesMng::Clear()
{
    m_entries.clear();
}

void CProfilesMng::ScanCategoryFolder()
{
    std::vector<FolderItem> items;
    for (FolderItem& item : ListFolder(ShippedCategoryFolder())) {
        // The user's group lives in the user's folder, never beside the program.
        if (item.group && EqualsNoCase(item.name, kUserGroup)) continue;
        items.push_back(std::move(item));
    }
    std::error_code ec;
    if (fs::is_directory(ToPath(UserGroupFolder()), ec)) items.push_back({kUserGroup, UserGroupFolder(), true, 1});
    std::sort(items.begin(), items.end(), ByName);
    for (const FolderItem& item : items) {
        if (item.group)
            ScanGroupFolder(item.name, item.path, item.userDefined);
        else
            AddProfileFile(item.name, item.path, 0, 0);
    }
}

void CProfilesMng::ScanGroupFolder(const std::wstring& groupName, const std::wstring& groupFolder,
                                   DWORD userDefined)
{
    AddEntry(groupName, L"", 0, 1, 0);
    for (const FolderItem& item : ListFolder(groupFolder))
        if (!item.group && EndsWithNoCase(item.name, kExtension))
            AddProfileFile(item.name, groupFolder, userDefined, 1);
}

void CProfilesMng::AddProfileFile(const std::wstring& fileName, const std::wstring& folder, DWORD userDefined,
                                  DWORD inGroup)
{
    size_t dot = fileName.rfind(L'.');
    AddEntry(dot == std::wstring::npos ? fileName : fileName.substr(0, dot), folder, userDefined, 0, inGroup);
}

std::wstring CProfilesMng::CurrentProfileName() const
{
    COutputFileObj* active = m_project ? m_project->GetActiveOutput() : nullptr;
    return active ? active->profile_name : std::wstring();
}

const CProfileEntry* CProfilesMng::FindByRelativePath(const std::wstring& relativePath) const
{
    for (const auto& entry : m_entries)
        if (entry->m_relativePath == relativePath) return entry.get();
    return nullptr;
}

HRESULT CProfilesMng::SelectProfile(size_t index)
{
    if (index >= m_entries.size()) return E_INVALIDARG;
    const CProfileEntry& entry = *m_entries[index];
    if (entry.m_groupHeader) return S_FALSE;
    entry.Apply();
    COutputFileObj* active = m_project ? m_project->GetActiveOutput() : nullptr;
    if (active) active->profile_name = entry.GetRelativePath();
    return S_OK;
}

DWORD CProfilesMng::IsSavableName(const std::wstring& relativePath) const
{
    if (relativePath.empty()) return 1;
    const CProfileEntry* entry = FindByRelativePath(relativePath);
    return entry ? entry->m_userDefined : 0;
}

DWORD CProfilesMng::IsCurrentProfileListed() const
{
    if (!m_project || !m_project->GetActiveOutput()) return 0;
    return IsSavableName(CurrentProfileName()) ? 1 : 0;
}

DWORD CProfilesMng::FindCurrentProfile() const
{
    std::wstring name = CurrentProfileName();
    if (name.empty()) return 0;
    const CProfileEntry* entry = FindByRelativePath(name);
    return entry ? entry->m_userDefined : 0;
}

HRESULT CProfilesMng::AskNewProfileFile(std::wstring& fileName)
{
    std::unique_ptr<CNewProfileNameDlg> dialog = m_nameDialog ? m_nameDialog() : nullptr;
    if (!dialog) return S_FALSE;
    dialog->m_name = ProposeUserName();
    if (dialog->DoModal() != CNewProfileNameDlg::kIdOk) return S_FALSE;
    const std::wstring& name = dialog->m_name;
    if (!IsValidProfileName(name)) {
        SendMsgError(IDS_PROFILE_BAD_NAME, name.c_str());
        return E_INVALIDARG;
    }
    fileName = EndsWithNoCase(name, kExtension) ? name : name + kExtension;
    return S_OK;
}

namespace {
// The file name of a user profile's relative path ("User Defined\x.vlprofile"),
// or empty when the path names anything else.
std::wstring UserProfileFile(const std::wstring& relativePath)
{
    std::wstring prefix = std::wstring(CProfilesMng::kUserGroup) + L"\\";
    if (relativePath.compare(0, prefix.size(), prefix) != 0) return {};
    std::wstring file = relativePath.substr(prefix.size());
    return IsValidProfileName(file) ? file : std::wstring();
}
}  // namespace

HRESULT CProfilesMng::SaveProfileAs(std::wstring* relativePath)
{
    if (!m_project || !m_project->GetActiveOutput()) return E_UNEXPECTED;
    std::wstring current = CurrentProfileName();
    std::wstring file;
    if (current.empty()) {
        HRESULT hr = AskNewProfileFile(file);
        if (hr != S_OK) return hr;
    } else {
        // Only the user's own listed profiles are written over.
        file = FindCurrentProfile() ? UserProfileFile(current) : std::wstring();
        if (file.empty()) return E_ACCESSDENIED;
    }
    std::wstring written = std::wstring(kUserGroup) + L"\\" + file;
    std::wstring folder = UserGroupFolder();
    if (!CFileDirTools::CreateDirectoryW(folder) || !m_project->DumpParams(Join(folder, file))) {
        SendMsgError(IDS_PROFILE_SAVE_FAILED, written.c_str());
        return E_FAIL;
    }
    if (relativePath) *relativePath = written;
    return S_OK;
}

HRESULT CProfilesMng::DeleteProfile(std::wstring* relativePath)
{
    if (!m_project || !m_project->GetActiveOutput()) return E_UNEXPECTED;
    std::wstring current = CurrentProfileName();
    std::wstring file = FindCurrentProfile() ? UserProfileFile(current) : std::wstring();
    if (file.empty()) return E_ACCESSDENIED;
    std::error_code ec;
    fs::remove(ToPath(Join(UserGroupFolder(), file)), ec);
    if (ec) {
        SendMsgError(IDS_PROFILE_DELETE_FAILED, current.c_str());
        return E_FAIL;
    }
    if (relativePath) relativePath->clear();
    return S_OK;
}

std::wstring CProfilesMng::ProposeUserName() const
{
    long long largest = 0;
    for (const FolderItem& item : ListFolder(UserGroupFolder())) {
        if (item.group || !EndsWithNoCase(item.name, kExtension)) continue;
        std::wstring stem = item.name.substr(0, item.name.size() - std::wcslen(kExtension));
        largest = std::max(largest, UserNumber(stem));
    }
    return L"user" + std::to_wstring(largest + 1);
}
