#pragma once
// Common part of the visual outputs (video and image): the frame-size keys and
// the watermark, filter, crop and eraser members.
#include "model/edit/CropObj.h"
#include "model/edit/EraserObj.h"
#include "model/edit/FiltersObj.h"
#include "model/edit/WatermarksObj.h"
#include "model/output/OutputFileObj.h"

class CFrameFileObj : public COutputFileObj {
public:
    // videoOutput: the watermarks are the video output's (a timeline each).
    explicit CFrameFileObj(bool videoOutput);
    ~CFrameFileObj() override;

    // The common keys, then "image_size", "resize_type", "resampling",
    // "litterbox", "litterbox_color".
    HRESULT Bind(const std::wstring& prefix, CConfigMng* node) override;
    void FillFormatList(CSchemaProperty* property) override = 0;

    // The derived class's advanced member is built after these and destroyed
    // before them. Nothing of that shows outside the object: none of these
    // constructors or destructors touches the engine or the node, except the
    // watermark and filter releases, which keep their order among themselves;
    // Bind registers the advanced keys first.
    CWatermarksObj m_watermarks;
    CFiltersObj m_filters;
    CCropObj m_crop;
    CEraserObj m_eraser;

protected:
    // The advanced member's keys, the filter, crop and eraser keys, then the
    // watermark list as child group watermarksGroup of the node.
    HRESULT BindMembers(const std::wstring& prefix, CConfigMng* node, COutputFileObj& adv, DWORD watermarksGroup);
    // The filter, crop, eraser and advanced schemas, then the format list.
    void CreateMemberSchemas(COutputFileObj& adv);
};
