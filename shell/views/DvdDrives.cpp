#include "shell/views/DvdDrives.h"
#include "platform/TextConv.h"
#include <algorithm>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

// SCSI peripheral type 5: a CD or DVD drive.
bool IsOpticalDrive(const fs::path& blockDevice)
{
    std::ifstream type(blockDevice / "device" / "type");
    int value = -1;
    return type >> value && value == 5;
}

// The mount table writes space, tab, newline and backslash as \ooo.
std::string UnescapeMountField(const std::string& field)
{
    std::string out;
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const std::string octal = field.substr(i + 1, 3);
            if (octal.size() == 3 && std::all_of(octal.begin(), octal.end(), [](char c) { return c >= '0' && c <= '7'; })) {
                out += static_cast<char>(std::stoi(octal, nullptr, 8));
                i += 3;
                continue;
            }
        }
        out += field[i];
    }
    return out;
}

bool HoldsVideoTs(const fs::path& root)
{
    std::error_code ec;
    return fs::is_directory(root / "VIDEO_TS", ec) || fs::is_directory(root / "video_ts", ec);
}

}  // namespace

std::vector<std::wstring> ListDvdDrives(const fs::path& sysBlock, const std::string& mounts)
{
    std::vector<std::wstring> drives;
    std::error_code ec;
    std::vector<std::string> devices;
    for (const fs::directory_entry& entry : fs::directory_iterator(sysBlock, ec))
        if (IsOpticalDrive(entry.path()))
            devices.push_back("/dev/" + entry.path().filename().string());
    std::sort(devices.begin(), devices.end());
    for (const std::string& device : devices)
        drives.push_back(Utf8ToWide(device));

    std::istringstream lines(mounts);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        std::string device, mountPoint, type;
        if (!(fields >> device >> mountPoint >> type) || (type != "iso9660" && type != "udf"))
            continue;
        const std::string root = UnescapeMountField(mountPoint);
        if (HoldsVideoTs(root))
            drives.push_back(Utf8ToWide(root));
    }
    return drives;
}

std::vector<std::wstring> ListDvdDrives()
{
    std::ifstream in("/proc/self/mounts");
    std::stringstream mounts;
    mounts << in.rdbuf();
    return ListDvdDrives("/sys/block", mounts.str());
}
