#include "shell/update/NewsFile.h"
#include "platform/HiddenSibling.h"
#include <cstdio>
#include <memory>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

// Writes and flushes to disk; false on any short write.
bool WriteAll(const fs::path& path, const std::string& text)
{
    std::unique_ptr<std::FILE, FileCloser> f(std::fopen(path.c_str(), "wb"));
    if (!f) return false;
    if (!text.empty() && std::fwrite(text.data(), 1, text.size(), f.get()) != text.size()) return false;
    if (std::fflush(f.get()) != 0 || ::fsync(::fileno(f.get())) != 0) return false;
    return std::fclose(f.release()) == 0;
}
}  // namespace

bool WriteNewsFile(const fs::path& target, const std::string& utf8Text, std::string& error)
{
    std::error_code ec;
    fs::create_directories(target.parent_path(), ec);
    const fs::path temp = HiddenSibling(target, ".part");
    if (!WriteAll(temp, utf8Text)) {
        error = "cannot write " + temp.string();
        fs::remove(temp, ec);
        return false;
    }
    fs::rename(temp, target, ec);
    if (ec) {
        error = "cannot replace " + target.string() + ": " + ec.message();
        fs::remove(temp, ec);
        return false;
    }
    return true;
}
