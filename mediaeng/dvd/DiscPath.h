#pragma once
// Whether a path named as a plain media file stands for a whole DVD: a
// VIDEO_TS folder, a folder holding one, or a disc image (an ISO 9660 or UDF
// file system). Such a path is opened as a disc, so its titles are listed.
#include <string>

namespace mediaeng {

bool LooksLikeDvd(const std::string& path);

}  // namespace mediaeng
