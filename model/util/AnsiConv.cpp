#include "model/util/AnsiConv.h"
#include "platform/TextConv.h"

std::wstring AnsiToWide(std::string_view narrow)
{
    return Cp1252ToWide(narrow);
}

std::string WideToAnsi(std::wstring_view wide)
{
    return WideToCp1252(wide);
}
