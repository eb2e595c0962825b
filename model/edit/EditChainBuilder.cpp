#include "model/edit/EditChainBuilder.h"
#include "model/edit/CropObj.h"
#include "model/edit/EraserObj.h"
#include "model/edit/FiltersObj.h"
#include "model/edit/WatermarksObj.h"

EditChain BuildEditChain(const EditSettings& settings)
{
    EditChain chain;
    if (const CCropObj* crop = settings.crop) {
        chain.rotateDegrees = crop->EngineQuarterTurns() * 90;
        chain.flipH = crop->flip_h;
        chain.flipV = crop->flip_v;
        chain.crop = crop->EngineMargins();
    }
    if (settings.eraser)
        chain.eraser = settings.eraser->Params();
    if (settings.filters)
        chain.filters = settings.filters->EngineSettings();
    if (CWatermarksObj* list = settings.watermarks) {
        // The image output's watermarks go to the job without their timing.
        const uint32_t skipTiming = list->video_output ? 0 : 1;
        for (DWORD i = 0; i < list->GetCount(); ++i) {
            const CWatermarkObj* mark = list->GetAt(i);
            if (!mark || !mark->HasEngineKind())
                continue;
            WatermarkEntry entry;
            entry.desc = mark->EngineDesc(skipTiming);
            entry.key = mark->GetId();
            chain.watermarks.push_back(std::move(entry));
        }
    }
    return chain;
}
