#include "model/source/InputFolder.h"
#include "engine/FolderFilesManager.h"
#include "model/source/SourceStrings.h"
#include <filesystem>

namespace {
constexpr size_t kWalkBufferUnits = 4096;

// Joins without doubling a separator the left part already ends with.
std::wstring JoinPath(const std::wstring& left, const std::wstring& right)
{
    if (left.empty()) return right;
    if (left.back() == CInputFolder::kSeparator) return left + right;
    return left + CInputFolder::kSeparator + right;
}

bool IsDirectory(const std::wstring& path)
{
    std::error_code ec;
    return !path.empty() && std::filesystem::is_directory(std::filesystem::path(path), ec);
}
}

CInputFolder::~CInputFolder() = default;

HRESULT CInputFolder::RegisterParams(CConfigMng* node)
{
    CConfigMng::AddParam(node, L"folder", 2, &m_folder, 0);
    CConfigMng::AddParam(node, L"recursive", 0, &m_recursive, 0);
    CConfigMng::AddParam(node, L"keep_heirarchy", 0, &m_keepHierarchy, 0);
    CConfigMng::AddParam(node, L"file_mask", 2, &m_fileMask, 0);
    return S_OK;
}

void CInputFolder::SetFolder(const std::wstring& path)
{
    m_folder = path;
    ChangeFolder(nullptr, L"");
    m_excluded.RemoveFiles(-1);
    if (!IsDirectory(path)) SendMsgError(SourceText::IDS_FOLDER_MISSING, path.c_str());
}

HRESULT CInputFolder::ChangeFolder(std::wstring* outName, const std::wstring& name)
{
    if (name == kParentName) {
        size_t cut = m_subPath.rfind(kSeparator);
        std::wstring last = cut == std::wstring::npos ? m_subPath : m_subPath.substr(cut + 1);
        if (outName) *outName = last;
        m_subPath = cut == std::wstring::npos ? std::wstring() : m_subPath.substr(0, cut);
    } else if (name.empty()) {
        m_subPath.clear();
    } else {
        m_subPath = m_subPath.empty() ? name : m_subPath + kSeparator + name;
    }
    return S_OK;
}

void CInputFolder::SetFileMask(const std::wstring& mask)
{
    m_fileMask = mask;
}

std::wstring CInputFolder::CurrentDir() const
{
    return m_subPath.empty() ? m_folder : JoinPath(m_folder, m_subPath);
}

std::wstring CInputFolder::SubFolderPath(const std::wstring& name) const
{
    return JoinPath(CurrentDir(), name) + kSeparator;
}

HRESULT CInputFolder::ScanFolder()
{
    if (m_folder == m_lastFolder && m_fileMask == m_lastMask && m_recursive == m_lastRecursive
        && m_subPath == m_lastSubPath && m_dirty == 0)
        return S_OK;
    m_dirty = 0;
    m_listed.RemoveFiles(-1);
    m_subFolders.clear();

    if (IsDirectory(m_folder)) {
        const std::wstring dir = CurrentDir();
        // Room for any path this system allows, so no result is skipped.
        std::vector<wchar_t> buffer(kWalkBufferUnits);
        if (m_recursive) {
            CFolderFilesManager folders;
            folders.Init(dir.c_str(), m_fileMask.c_str(), nullptr, false, true);
            while (folders.GetNext(buffer.data(), buffer.size())) {
                auto record = std::make_unique<SubFolder>();
                record->name = buffer.data();
                record->path = SubFolderPath(record->name);
                m_subFolders.push_back(std::move(record));
            }
        }
        CFolderFilesManager files;
        files.Init(dir.c_str(), m_fileMask.c_str(), nullptr, false, false);
        while (files.GetNext(buffer.data(), buffer.size())) m_listed.AddFile(buffer.data());
    }
    m_lastMask = m_fileMask;
    m_lastFolder = m_folder;
    m_lastRecursive = m_recursive;
    m_lastSubPath = m_subPath;
    return S_OK;
}

int CInputFolder::IsNotSelected(const std::wstring& path)
{
    return ContainsFileName(m_excluded, path) ? 0 : 1;
}

void CInputFolder::Exclude(const std::wstring& path)
{
    // Excluding twice must not need two inclusions to undo.
    if (IsNotSelected(path)) m_excluded.AddFile(path);
}

void CInputFolder::SelectFile(const std::wstring& path)
{
    Exclude(path);
}

void CInputFolder::UnselectFile(const std::wstring& path)
{
    m_excluded.RemoveByPath(path);
}

void CInputFolder::SelectSubFolder(const std::wstring& name)
{
    Exclude(SubFolderPath(name));
}

void CInputFolder::UnselectSubFolder(const std::wstring& name)
{
    m_excluded.RemoveByPath(SubFolderPath(name));
}
