#include "platform/HeapTuning.h"
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace KM {

void KeepPictureBuffersOnHeap()
{
#if defined(__GLIBC__)
    // Blocks up to 32 MB (a 4K picture in RGB) come from the heap, and up to
    // 64 MB freed at its top stay there for the next frame.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 64 << 20);
#endif
}

}  // namespace KM
