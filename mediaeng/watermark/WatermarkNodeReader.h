#pragma once
// Reads watermark items from the engine's object tree: the values that the
// watermark settings write into each item of a "Watermarks" collection.
#include "engine/WatermarkEngine.h"
#include <vector>

namespace mediaeng::watermark {

// The item's values (missing ones keep the defaults); false when the object
// is no engine node.
bool ReadWatermarkItem(IUnknown* item, WatermarkItemDesc& out);
// Every item of node's "Watermarks" collection, in collection order.
HRESULT ReadWatermarkItems(IUnknown* node, std::vector<WatermarkEntry>& out);

}  // namespace mediaeng::watermark
