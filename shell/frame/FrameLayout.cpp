#include "shell/frame/FrameLayout.h"

int SourceLeftColumnWidth(int stored, int clientWidth)
{
    if (stored < 0 || stored >= clientWidth - 50)
        return static_cast<int>(clientWidth * 0.4);
    return stored;
}

SourceRowHeights SourceRows(int storedPreview, int storedProperties, int clientHeight)
{
    if (storedPreview < 0 || storedProperties < 0) {
        const int top = static_cast<int>(clientHeight * 0.33);
        return {top, clientHeight - top};
    }
    return {storedPreview, storedProperties};
}

bool ShouldStoreFrameSize(int width, int height)
{
    return width > 0 && height > 0;
}
