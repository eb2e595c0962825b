#pragma once
// Finding the resource library: the folder "res" (our "res.dll") beside the
// stored module's file, or beside the executable while none is stored. Loaded
// once; every later call hands out the same library.
#include "platform/ResourceLibrary.h"
#include <string>

// The module file beside which "res" is looked for; empty means the executable.
void SetModuleHandle(const std::wstring& modulePath);
// The loaded library, or null when its folder or string table is missing.
CResourceLibrary* GetResourceModule();
