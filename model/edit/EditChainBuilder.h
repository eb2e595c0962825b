#pragma once
// The edit chain of a visual output, built from its settings objects: the
// same value the conversion reads back from the job tree that those objects
// write, so the preview runs what the conversion will run.
#include "engine/EditChain.h"

class CCropObj;
class CEraserObj;
class CFiltersObj;
class CWatermarksObj;

// An output's editing settings; a null member leaves its edits out.
struct EditSettings {
    const CCropObj* crop = nullptr;  // the turn, the flips and the crop
    const CEraserObj* eraser = nullptr;
    const CFiltersObj* filters = nullptr;
    CWatermarksObj* watermarks = nullptr;
};

// Each watermark carries its own id (CWatermarkObj::GetId) as its key; the
// video output's watermarks carry their timing, as the conversion writes it.
EditChain BuildEditChain(const EditSettings& settings);
