#pragma once
// The marks the visual editors draw over the picture: frame lines filled with
// the dashed pattern (383) and 10 x 10 drag handles (384), or their grey
// pair (403, 404) for an editor that takes no input.
#include "controls/draw/BitmapDC.h"
#include "platform/Types.h"
#include <vector>

class CEditMarks {
public:
    void DrawFrame(wxDC& dc, const std::vector<RECT>& strips, bool enabled);
    void DrawHandles(wxDC& dc, const std::vector<POINT>& points, bool enabled);

private:
    KM::CBitmapDC m_frame{383};
    KM::CBitmapDC m_handle{384};
    KM::CBitmapDC m_frameDisabled{403};
    KM::CBitmapDC m_handleDisabled{404};
};
