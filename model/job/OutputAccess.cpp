// How the transfer reaches the project's output objects and their members.
#include "model/job/ParametersTransfer.h"
#include "model/output/AudioFileObj.h"
#include "model/output/ImageFileObj.h"
#include "model/output/VideoFileObj.h"

namespace {

// The watermarks (by index while below the current count), then the filters,
// the crop and the eraser of a visual output.
template <class Output>
void TransferVisualEditing(Output& output, IUnknown* formatNode, uint32_t skipTiming)
{
    for (DWORD i = 0; i < output.m_watermarks.GetCount(); ++i)
        if (CWatermarkObj* watermark = output.m_watermarks.GetAt(i))
            watermark->CreateEngineWatermark(formatNode, skipTiming);
    output.m_filters.TransferToFormat(formatNode);
    CCropObj::WriteEngineValues(output.m_crop, formatNode);
    CEraserObj::WriteEngineValues(output.m_eraser, formatNode);
}

}  // namespace

CParametersObj* CParametersTransfer::OutputSettings(EOutputKind kind)
{
    switch (kind) {
    case kVideoOutput: return GetVideoOutput();
    case kAudioOutput: return GetAudioOutput();
    case kImageOutput: return GetImageOutput();
    default: return nullptr;
    }
}

CParametersObj* CParametersTransfer::AdvancedSettings(EOutputKind kind)
{
    switch (kind) {
    case kVideoOutput: return GetVideoOutput() ? &GetVideoOutput()->m_adv : nullptr;
    case kAudioOutput: return GetAudioOutput() ? &GetAudioOutput()->m_adv : nullptr;
    case kImageOutput: return GetImageOutput() ? &GetImageOutput()->m_adv : nullptr;
    default: return nullptr;
    }
}

void CParametersTransfer::TransferEditing(EOutputKind kind, IUnknown* formatNode)
{
    if (kind == kVideoOutput && GetVideoOutput())
        TransferVisualEditing(*GetVideoOutput(), formatNode, 0);
    else if (kind == kImageOutput && GetImageOutput())
        TransferVisualEditing(*GetImageOutput(), formatNode, 1);
}
