#pragma once
// The filters' level text "black:gamma:white", read and written with '.' as the
// decimal point whatever the user's locale, so project files travel unchanged.
#include <cstdint>
#include <string>

// Fills black, gamma and white from the colon-separated fields of text; an
// output whose field is missing keeps the value the caller preset. A field
// without a leading number gives 0. Always returns 3.
int ParseLevelText(std::wstring text, int32_t* black, int32_t* white, double* gamma);

// "%d:%.2f:%d" in the C locale.
std::wstring FormatLevelText(int32_t black, double gamma, int32_t white);
