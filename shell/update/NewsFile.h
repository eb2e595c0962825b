#pragma once
// Stores the downloaded news page. The text goes to a temporary file beside the
// target and is renamed over it only when fully written, so a full disk or an
// exit in the middle leaves the previous page intact.
#include <filesystem>
#include <string>

bool WriteNewsFile(const std::filesystem::path& target, const std::string& utf8Text, std::string& error);
