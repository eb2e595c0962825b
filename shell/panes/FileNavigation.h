#pragma once
// Next and previous file of the editing tab's file choice, without a window:
// the choice's entries in order and its selected index.
#include <vector>

class CKMFile;

struct FileChoice {
    std::vector<CKMFile*> entries;  // item data of the choice, in order
    int selection = -1;             // -1: nothing chosen
};

// The entry of the item step places from the selection (+1 next, -1
// previous); null when there is no selection, the index leaves the list or
// the item has no entry.
CKMFile* NeighbourEntry(const FileChoice& choice, int step);
// The index of entry in the choice, -1 when it is not there.
int IndexOfEntry(const FileChoice& choice, const CKMFile* entry);
