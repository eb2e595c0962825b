#pragma once
// Finds the profile node of the engine's job tree that holds a format node: the
// owner of the format node's owner.
#include "platform/Unknown.h"

// On success *profile takes a reference the caller releases. E_FAIL, with
// *profile untouched, when the format node or its owner has no owner link.
HRESULT GetFormatProfile(IUnknown* formatNode, IUnknown** profile);
