#pragma once
// Common part of the visual outputs (video and image): the frame-size keys.
#include "model/output/OutputFileObj.h"

class CFrameFileObj : public COutputFileObj {
public:
    CFrameFileObj() = default;
    ~CFrameFileObj() override;

    // The common keys, then "image_size", "resize_type", "resampling",
    // "litterbox", "litterbox_color".
    HRESULT Bind(const std::wstring& prefix, CConfigMng* node) override;
    void FillFormatList(CSchemaProperty* property) override = 0;
};
