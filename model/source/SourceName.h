#pragma once
// The name a source entry is shown by. The engine names a disc's title by the
// path it opens it with, "dvdtitle:<n>:<disc path>"; the user sees the disc's
// path with the title's number, "<disc path>#<n>". Any other name is shown
// as it stands.
#include <string>

std::wstring ShownSourceName(const std::wstring& engineFileName);
