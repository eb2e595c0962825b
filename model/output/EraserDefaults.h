#pragma once
// The eraser rectangle a visual output starts with.
#include "model/edit/EraserObj.h"

inline void SetEraserDefaults(CEraserObj& eraser)
{
    eraser.eraser_type = 0;
    eraser.eraser_left = 0;
    eraser.eraser_right = 100;
    eraser.eraser_top = 0;
    eraser.eraser_bottom = 100;
    eraser.eraser_strength = 8;
    eraser.eraser_cell = 8;
}
