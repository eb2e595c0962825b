#pragma once
// The image output's settings ("image_file"): format, frame options and the
// join-images sheet, with its advanced, watermark, filter, crop and eraser
// members.
#include "model/output/FrameFileObj.h"
#include "model/output/ImageFileAdvObj.h"

// Child group id of the image output's watermark list in the project node.
constexpr DWORD kImageWatermarksGroup = 10;

class CImageFileObj : public CFrameFileObj {
public:
    CImageFileObj();
    ~CImageFileObj() override;

    // The format rule, the frame options, the join rows kept out of the grid,
    // then the advanced states.
    void UpdateStates() override;
    // The frame keys, the join keys, the members' keys, then the watermark
    // list as child group 10 of the node.
    HRESULT Bind(const std::wstring& prefix, CConfigMng* node) override;
    void CreateSchema() override;
    void FillFormatList(CSchemaProperty* property) override;

    CImageFileAdvObj m_adv;
};
