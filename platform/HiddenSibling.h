#pragma once
#include <filesystem>
#include <string_view>

// ".<name>.<pid><suffix>" beside `target`: a hidden file this process writes
// (or keeps beside the output) and renames over or removes when done.
std::filesystem::path HiddenSibling(const std::filesystem::path& target, std::string_view suffix);
