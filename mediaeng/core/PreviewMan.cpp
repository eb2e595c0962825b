#include "engine/PreviewMan.h"

CPreviewMan& CPreviewMan::GetInstance()
{
    static CPreviewMan manager;
    return manager;
}

HRESULT LoadGDILibrary()
{
    // Our engine draws with its own code and cairo, which need no loading.
    return S_OK;
}
