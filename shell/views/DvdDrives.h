#pragma once
// The choices of the DVD page's drive list: the device of every optical drive,
// then every mounted disc (an ISO 9660 or UDF file system) whose root holds a
// VIDEO_TS folder. A machine without either lists nothing.
#include <filesystem>
#include <string>
#include <vector>

std::vector<std::wstring> ListDvdDrives();

// The same from the given block-device folder (/sys/block) and mount table
// text (/proc/self/mounts).
std::vector<std::wstring> ListDvdDrives(const std::filesystem::path& sysBlock, const std::string& mounts);
