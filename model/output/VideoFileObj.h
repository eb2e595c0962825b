#pragma once
// The video output's settings ("video_file"): format, video, audio and frame
// options, with its advanced, watermark, filter, crop and eraser members.
#include "model/output/FrameFileObj.h"
#include "model/output/VideoFileAdvObj.h"

// Child group id of the video output's watermark list in the project node.
constexpr DWORD kVideoWatermarksGroup = 11;

class CVideoFileObj : public CFrameFileObj {
public:
    CVideoFileObj();
    ~CVideoFileObj() override;

    // The format rule, the include switches, the codec lists and options,
    // then the advanced states.
    void UpdateStates() override;
    // The frame keys, the twenty video and audio keys, the members' keys, then
    // the watermark list as child group 11 of the node.
    HRESULT Bind(const std::wstring& prefix, CConfigMng* node) override;
    void CreateSchema() override;
    void FillFormatList(CSchemaProperty* property) override;

    CVideoFileAdvObj m_adv;
};
