#include "model/project/Project.h"

#include "model/config/ConfigFileHeader.h"

CProject::CProject()
{
    m_runState = kIdle;
    m_sourceType = kSourceFiles;
    CConfigMng::AddParam(this, L"source_type", CONFIG_TYPE_INT, &m_sourceType, 0);
    m_inputFolder.RegisterParams(this);
    m_inputDVD.RegisterParams(this);

    // The bind order is the order of the keys in project and profile files.
    m_videoOutput.Bind(L"video_file", this);
    m_imageOutput.Bind(L"image_file", this);
    m_audioOutput.Bind(L"audio_file", this);

    CConfigMng::AddGroup(this, kGroupInputFiles, &m_inputFiles);
    CConfigMng::AddGroup(this, kGroupFolderExcluded, &m_inputFolder.m_excluded);
    CConfigMng::AddGroup(this, kGroupDvdExcluded, &m_inputDVD.m_excluded);
    CConfigMng::AddGroup(this, kGroupDvdTitles, &m_inputDVD.m_titles);
    CConfigMng::AddGroup(this, kGroupFolderSecond, &m_inputFolder.m_second);

    m_videoOutput.CreateSchema();
    m_audioOutput.CreateSchema();
    m_imageOutput.CreateSchema();
}

CProject::~CProject()
{
    Stop();
}

HRESULT CProject::WriteHeader(CArchive& archive)
{
    return WriteConfigFileHeader(archive);
}

HRESULT CProject::ReadHeader(CArchive& archive)
{
    return ReadConfigFileHeader(archive);
}

COutputFileObj* CProject::GetActiveOutput()
{
    if (m_videoOutput.is_create) return &m_videoOutput;
    if (m_imageOutput.is_create) return &m_imageOutput;
    if (m_audioOutput.is_create) return &m_audioOutput;
    return nullptr;
}

CFrameFileObj* CProject::GetCurrentOutput()
{
    if (m_videoOutput.is_create) return &m_videoOutput;
    if (m_imageOutput.is_create) return &m_imageOutput;
    return nullptr;
}

CCropObj* CProject::GetCurrentCrop()
{
    if (m_videoOutput.is_create) return &m_videoOutput.m_crop;
    if (m_imageOutput.is_create) return &m_imageOutput.m_crop;
    return nullptr;
}

CEraserObj* CProject::GetCurrentEraser()
{
    if (m_videoOutput.is_create) return &m_videoOutput.m_eraser;
    if (m_imageOutput.is_create) return &m_imageOutput.m_eraser;
    return nullptr;
}

HRESULT CProject::GetCurrentFilters(IUnknown** filter)
{
    CFiltersObj* filters = m_videoOutput.is_create ? &m_videoOutput.m_filters
                           : m_imageOutput.is_create ? &m_imageOutput.m_filters
                                                     : nullptr;
    if (!filters) {
        // The caller must not mistake an untouched pointer for a filter.
        if (filter) *filter = nullptr;
        return E_FAIL;
    }
    // A null filter still refreshes the engine object the preview already holds.
    return filters->GetEngineFilter(filter);
}
