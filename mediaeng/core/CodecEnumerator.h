#pragma once
// The codec enumerators of the AVI and WMV lists (mediaeng/core/CodecEnumerator.cpp).
namespace mediaeng {
// Adds their classes to the class registry; called by the engine's class list.
void RegisterCodecEnumerators();
}  // namespace mediaeng
