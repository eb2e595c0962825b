#pragma once
// Sizes of the source pages' columns and rows, from the remembered
// "Workspace" values (-1 when missing) and the frame's client size.

struct SourceRowHeights {
    int preview;
    int properties;
};

// The left column: the remembered width, unless it is missing or leaves less
// than 50 pixels for the right column; then 40 % of the client width.
int SourceLeftColumnWidth(int stored, int clientWidth);

// The preview row on top, the properties below; when either is missing both
// start over at 33 % / the rest of the client height.
SourceRowHeights SourceRows(int storedPreview, int storedProperties, int clientHeight);

// The window size to remember: the outer size, or nothing (false) for a
// window that has no real size yet.
bool ShouldStoreFrameSize(int width, int height);
