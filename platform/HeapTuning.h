#pragma once
// The C library's heap set for a program that makes and frees pictures of a
// few MB with every frame: glibc hands blocks of that size back to the system
// after each use (through its own mapping, or by trimming the heap's top), so
// each frame pays a page fault for every 4 KB it touches again. Call once at
// the start, before other threads run; nothing where the C library is not glibc.
namespace KM {

void KeepPictureBuffersOnHeap();

}  // namespace KM
