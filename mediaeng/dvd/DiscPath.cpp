#include "mediaeng/dvd/DiscPath.h"
#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace mediaeng {

namespace {

namespace fs = std::filesystem;

// The first volume descriptor of both file systems lies in sector 16; its
// identifier follows one type byte.
constexpr std::streamoff kDescriptorIdAt = 16 * 2048 + 1;

std::string Upper(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

// The entry of folder whose name is name in any case, or an empty path.
fs::path ChildNamed(const fs::path& folder, const std::string& name)
{
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (Upper(it->path().filename().string()) == name) return it->path();
    return {};
}

bool IsVideoTsFolder(const fs::path& folder)
{
    std::error_code ec;
    const fs::path table = ChildNamed(folder, "VIDEO_TS.IFO");
    return !table.empty() && fs::is_regular_file(table, ec);
}

bool IsDiscImage(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::array<char, 5> id{};
    if (!in.seekg(kDescriptorIdAt) || !in.read(id.data(), id.size())) return false;
    return std::memcmp(id.data(), "CD001", 5) == 0 || std::memcmp(id.data(), "BEA01", 5) == 0;
}

}  // namespace

bool LooksLikeDvd(const std::string& path)
{
    std::error_code ec;
    fs::path p = fs::path(path).lexically_normal();
    if (!p.has_filename()) p = p.parent_path();  // "disc/" names the folder "disc"
    if (fs::is_regular_file(p, ec)) return IsDiscImage(p);
    if (!fs::is_directory(p, ec)) return false;
    if (Upper(p.filename().string()) == "VIDEO_TS" && IsVideoTsFolder(p)) return true;
    const fs::path inner = ChildNamed(p, "VIDEO_TS");
    return !inner.empty() && fs::is_directory(inner, ec) && IsVideoTsFolder(inner);
}

}  // namespace mediaeng
