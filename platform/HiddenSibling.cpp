#include "platform/HiddenSibling.h"
#include <string>
#include <unistd.h>

std::filesystem::path HiddenSibling(const std::filesystem::path& target, std::string_view suffix)
{
    // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) on a
    // "literal" + std::string chain once it is inlined.
    std::string name(1, '.');
    name.append(target.filename().string()).append(1, '.').append(std::to_string(::getpid())).append(suffix);
    return target.parent_path() / name;
}
