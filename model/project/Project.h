#pragma once
// The document's project: root node of the ".km" file, owner of the three
// output settings objects (the inputs and the job live in its bases), and the
// answer to which output the views and the job work on.
#include "model/job/RunManager.h"
#include "model/output/AudioFileObj.h"
#include "model/output/ImageFileObj.h"
#include "model/output/VideoFileObj.h"

class CProject : public CRunManager {
public:
    // Group ids of the project node besides the watermark lists (11, 10).
    enum : DWORD {
        kGroupInputFiles = 1,
        kGroupFolderExcluded = 2,
        kGroupDvdExcluded = 3,
        kGroupDvdTitles = 4,
        kGroupFolderSecond = 5,
    };

    CProject();
    // Stops a running job before the outputs it was filled from go away.
    ~CProject() override;

    // The 69-byte ".km" header: S_OK; on reading S_FALSE for a short header
    // and E_INVALIDARG for a wrong magic.
    HRESULT WriteHeader(CArchive& archive) override;
    HRESULT ReadHeader(CArchive& archive) override;

    // Video, else image, else audio, by "is_create"; null when none is made.
    virtual COutputFileObj* GetActiveOutput();

    CVideoFileObj* GetVideoOutput() override { return &m_videoOutput; }
    CAudioFileObj* GetAudioOutput() override { return &m_audioOutput; }
    CImageFileObj* GetImageOutput() override { return &m_imageOutput; }

    // The visual output the editing panes work on: video, else image, by
    // "is_create"; the audio output never counts. Null when neither is made.
    CFrameFileObj* GetCurrentOutput();
    CCropObj* GetCurrentCrop();
    CEraserObj* GetCurrentEraser();
    // The engine frame-filter object of the current visual output, refreshed
    // with the current values, with a reference for the caller; filter may be
    // null to refresh only. Without a visual output *filter (when given) is
    // set to null and E_FAIL returned.
    HRESULT GetCurrentFilters(IUnknown** filter);

private:
    // Built in this order, after the inputs.
    CVideoFileObj m_videoOutput;
    CAudioFileObj m_audioOutput;
    CImageFileObj m_imageOutput;
};
