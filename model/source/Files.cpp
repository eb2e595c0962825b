#include "model/source/Files.h"
#include "model/source/PropertyAccess.h"
#include "model/source/SourceShell.h"
#include "platform/Settings.h"
#include <algorithm>
#include <filesystem>

CFiles::~CFiles()
{
    RemoveFiles(-1);
    // The list lets go; an entry the frame grabber still holds is deleted
    // when the grabber lets go of it.
    for (CKMFilePtr& entry : m_removed) entry->MarkNotAlive();
    m_removed.clear();
}

uint32_t CFiles::GetCount()
{
    return static_cast<uint32_t>(m_items.size());
}

CKMFile* CFiles::GetAt(uint32_t index)
{
    return index < m_items.size() ? m_items[index].get() : nullptr;
}

CKMFile* CFiles::Append(CKMFilePtr entry)
{
    m_items.push_back(std::move(entry));
    return m_items.back().get();
}

CKMFile* CFiles::CreateItem()
{
    return Append(CKMFile::Create());
}

DWORD CFiles::DropIncompleteItems()
{
    const size_t before = m_items.size();
    m_items.erase(std::remove_if(m_items.begin(), m_items.end(),
                                 [](const CKMFilePtr& entry) { return entry->m_fileName.empty(); }),
                  m_items.end());
    return static_cast<DWORD>(before - m_items.size());
}

CKMFile* CFiles::AddFile(const std::wstring& path)
{
    return Append(CKMFile::Create(path, 0));
}

HRESULT CFiles::AddFiles(const std::vector<std::wstring>& paths)
{
    for (const std::wstring& path : paths) AddFile(path);
    return S_OK;
}

HRESULT CFiles::AddFilesFromDialog()
{
    IFileBrowser* browser = SourceShell::GetFileBrowser();
    if (!browser) return S_FALSE;
    CSettingsStore& settings = CSettingsStore::Instance();
    std::wstring initDir = settings.GetString(L"Settings", L"InitDir", L"");
    std::vector<std::wstring> paths;
    browser->BrowseFile(paths, initDir.empty() ? nullptr : initDir.c_str(), DialogFilter().c_str(), true);
    if (paths.empty()) return S_FALSE;
    for (size_t i = 0; i < paths.size(); ++i) {
        if (i == 0)
            settings.SetString(L"Settings", L"InitDir", std::filesystem::path(paths[0]).parent_path().wstring());
        AddFile(paths[i]);
    }
    return S_OK;
}

void CFiles::MoveToRemoved(size_t index)
{
    m_items[index]->MarkRemoved();
    m_removed.push_back(std::move(m_items[index]));
    m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(index));
}

void CFiles::RemoveFiles(int index)
{
    if (index == -1) {
        for (CKMFilePtr& entry : m_items) {
            entry->MarkRemoved();
            m_removed.push_back(std::move(entry));
        }
        m_items.clear();
        return;
    }
    if (index >= 0 && static_cast<size_t>(index) < m_items.size()) MoveToRemoved(static_cast<size_t>(index));
}

HRESULT CFiles::RemoveByPath(const std::wstring& path)
{
    for (size_t i = 0; i < m_items.size(); ++i) {
        if (m_items[i]->m_fileName == path) {
            MoveToRemoved(i);
            break;
        }
    }
    return S_OK;
}

CKMFile* CFiles::FindByName(const std::wstring& name, int chapterIndex)
{
    for (CKMFilePtr& entry : m_items)
        if (entry->m_fileName == name && entry->m_chapterId == chapterIndex) return entry.get();
    return nullptr;
}

CKMFile* CFiles::FindByTitle(IUnknown* title, int chapterIndex)
{
    CVariant id;
    GetSourcePropertyValue(title, L"unique_file_id", &id);
    int32_t uniqueId = id.vt != VT_EMPTY ? id.AsInt() : 0;
    for (CKMFilePtr& entry : m_items)
        if (entry->m_chapterId == chapterIndex && entry->m_uniqueId == uniqueId) return entry.get();
    return nullptr;
}

CKMFile* CFiles::AddCopyOf(const CKMChapter* entry)
{
    return entry ? AddFile(entry->m_fileName) : nullptr;
}

CKMFile* CFiles::AddFromMedia(IUnknown* media)
{
    return Append(CKMFile::Create(media));
}

void CFiles::ClearMarks()
{
    for (CKMFilePtr& entry : m_items) entry->m_keepMark = 0;
}

void CFiles::PurgeUnmarked()
{
    // Dropped entries go through the same release as removed ones, so an
    // entry the frame grabber still holds outlives the purge.
    auto unmarked = [](const CKMFilePtr& entry) { return entry->m_keepMark == 0; };
    for (CKMFilePtr& entry : m_items) {
        if (unmarked(entry)) {
            entry->MarkRemoved();
            entry->MarkNotAlive();
        }
    }
    m_items.erase(std::remove_if(m_items.begin(), m_items.end(), unmarked), m_items.end());
}

HRESULT CFiles::ReleaseOtherSources(CKMFile* keep)
{
    for (CKMFilePtr& entry : m_items)
        if (entry.get() != keep) entry->ReleaseGraph();
    return S_OK;
}

void CFiles::AddChild(CKMFile* entry)
{
    if (!entry) return;
    if (std::any_of(m_items.begin(), m_items.end(), [entry](const CKMFilePtr& e) { return e.get() == entry; }))
        return;
    entry->AddRefEntry();
    m_items.emplace_back(entry);
}

bool ContainsFileName(CFiles& list, const std::wstring& name)
{
    for (uint32_t i = 0; i < list.GetCount(); ++i)
        if (list.GetAt(i)->m_fileName == name) return true;
    return false;
}

const std::wstring& CFiles::DialogFilter()
{
    static const std::wstring filter = [] {
        static const wchar_t* const pairs[][2] = {
            {L"All supported formats",
             L"*.avi;*.wav;*.wave;*.mp3;*.mpeg;*.mpg;*.m1v;*.ts;*.m2t;*.h264;*.m2ts;*.m2v;*.mov;*.move;*.qt;"
             L"*.3gp;*.3g2;*.mp4;*.m4v;*.mkv;*.jpeg;*.jpg;*.bmp;*.gif;*.png;*.tiff;*.flv;*.swf;*.rm;*.ifo;"
             L"*.vob;*.asf;*.wmv;*.tga;*.pcx;*.ico;*.cur;*.wbmp;*.wbm;*.j2k;*.jp2;*.jpc;*.pgx;*.psd;*.ras;"
             L"*.mif;*.pgm;*.ppm;*.ogg"},
            {L"AVI(*.avi)", L"*.avi"},
            {L"MPEG(*.mpeg, *.mpg, *.m1v, *.m2v, *.ts, *.m2t, *.m2ts)", L"*.mpeg;*.mpg;*.m1v;*.m2v;*.ts;*.m2t;*.m2ts"},
            {L"H264(*.h264)", L"*.h264"},
            {L"QuickTime files(*.mov, *.move, *.qt, *.3gp, *.3g2, *.mp4, *.m4v)", L"*.mov;*.qt;*.3gp;*.3g2;*.mp4;*.m4v"},
            {L"MKV files(*.mkv)", L"*.mkv"},
            {L"RealMedia files(*.rm, *.rmm)", L"*.rm;*.rmm"},
            {L"Windows Media Files(*.wmv, *.asf)", L"*.wmv;*.asf"},
            {L"Flash Video(*.swf, *.flv)", L"*.swf;*.flv"},
            {L"DVD Video Files(*.vob, *.ifo)", L"*.vob;*.ifo"},
            {L"WAVE files(*.wav, *.wave)", L"*.wav;*.wave"},
            {L"MP3 files(*.mp3)", L"*.mp3"},
            {L"OGG files(*.ogg)", L"*.ogg"},
            {L"PhotoShop Files (*.psd)", L"*.psd"},
            {L"JPEG files(*.jpeg, *.jpg)", L"*.jpeg;*.jpg;"},
            {L"JPEG 2000 files(*.j2k, *.jp2, *.jpc, *.pgx;)", L"*.j2k;*.jp2;*.jpc;*.pgx;"},
            {L"BMP Files(*.bmp)", L"*.bmp"},
            {L"Gif Files (*.gif)", L"*.gif"},
            {L"PNG Files (*.png)", L"*.png"},
            {L"TIFF Files (*.tiff, *.tif)", L"*.tiff;*.tif"},
            {L"TGA Files (*.tga)", L"*.tga;"},
            {L"PCX Files (*.pcx)", L"*.pcx;"},
            {L"ICO Files (*.ico, *.cur)", L"*.ico;*.cur;"},
            {L"WBMP Files (*.wbmp, *.wbm)", L"*.wbmp;*.wbm;"},
            {L"Sun Raster Files (*.ras)", L"*.ras"},
            {L"My Image Format (*.mif)", L"*.mif"},
            {L"Portable Graymap (*.pgm, *.ppm)", L"*.pgm;*.ppm"},
            {L"All files(*.*)", L"*.*"},
        };
        std::wstring text;
        for (const auto& pair : pairs) {
            text += pair[0];
            text += L'|';
            text += pair[1];
            text += L'|';
        }
        return text + L'|';
    }();
    return filter;
}
