#include "model/util/FileDirTools.h"
#include "platform/ResourceLibrary.h"
#include "platform/TextConv.h"
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
std::string Narrow(const std::wstring& s)
{
    return WideToUtf8(s);
}

std::wstring Wide(const std::string& s)
{
    return Utf8ToWide(s);
}

std::string Env(const char* name)
{
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

bool IsDir(const std::string& p)
{
    std::error_code ec;
    return !p.empty() && fs::is_directory(p, ec);
}

void TrimTrailingSeparators(std::string& p)
{
    while (!p.empty() && (p.back() == '/' || p.back() == '\\')) p.pop_back();
}

// An XDG base folder: the variable when it holds an absolute path, else the
// default under the home folder.
std::string XdgBase(const char* var, const char* underHome)
{
    std::string v = Env(var);
    if (!v.empty() && v[0] == '/') return v;
    std::string home = Env("HOME");
    return home.empty() ? std::string() : home + "/" + underHome;
}

// A folder of user-dirs.dirs ("XDG_DOCUMENTS_DIR="$HOME/Documents"").
std::string XdgUserDir(const std::string& key, const char* fallbackName)
{
    std::string home = Env("HOME");
    std::string config = XdgBase("XDG_CONFIG_HOME", ".config");
    std::ifstream in(config + "/user-dirs.dirs");
    std::string line;
    while (!config.empty() && std::getline(in, line)) {
        if (line.rfind(key + "=\"", 0) != 0 || line.size() < key.size() + 3 || line.back() != '"') continue;
        std::string v = line.substr(key.size() + 2, line.size() - key.size() - 3);
        if (v.rfind("$HOME", 0) == 0) v = home + v.substr(5);
        if (!v.empty() && v[0] == '/') return v;
    }
    std::string fallback = home.empty() ? std::string() : home + "/" + fallbackName;
    return IsDir(fallback) ? fallback : std::string();
}

std::string SpecialFolder(int csidl)
{
    switch (csidl) {
    case CSIDL_DESKTOP:
    case CSIDL_DESKTOPDIRECTORY: return XdgUserDir("XDG_DESKTOP_DIR", "Desktop");
    case CSIDL_PERSONAL: return XdgUserDir("XDG_DOCUMENTS_DIR", "Documents");
    case CSIDL_MYMUSIC: return XdgUserDir("XDG_MUSIC_DIR", "Music");
    case CSIDL_MYVIDEO: return XdgUserDir("XDG_VIDEOS_DIR", "Videos");
    case CSIDL_MYPICTURES: return XdgUserDir("XDG_PICTURES_DIR", "Pictures");
    case CSIDL_APPDATA:
    case CSIDL_LOCAL_APPDATA: return XdgBase("XDG_DATA_HOME", ".local/share");
    case CSIDL_PROFILE: return Env("HOME");
    default: return {};
    }
}

template <class S>
int CutFileSpec(S& path, int addSeparator)
{
    size_t a = path.rfind('/'), b = path.rfind('\\');
    size_t p = a == S::npos ? b : b == S::npos ? a : std::max(a, b);
    if (p == S::npos || p < 1) return 0;
    path.resize(p);
    // Whichever separator the cut was at, the folder keeps this system's own.
    if (addSeparator) path += '/';
    return 1;
}

std::string WithSeparator(std::string p)
{
    if (p.empty() || p.back() != '/') p += '/';
    return p;
}
}

std::wstring CFileDirTools::GetDriveName(int index)
{
    return Wide(GetDriveNameA(index));
}

std::string CFileDirTools::GetDriveNameA(int index)
{
    return std::string(1, static_cast<char>('A' + index)) + ":\\";
}

int CFileDirTools::CreateDirectoryW(const std::wstring& path)
{
    return CreateDirectoryA(Narrow(path));
}

int CFileDirTools::CreateDirectoryA(const std::string& path)
{
    std::string p = path;
    TrimTrailingSeparators(p);
    if (p.empty()) return 0;
    std::error_code ec;
    for (size_t i = p.find('/', 1); i != std::string::npos; i = p.find('/', i + 1))
        fs::create_directory(p.substr(0, i), ec);  // levels that exist or fail are found out below
    fs::create_directory(p, ec);
    // An existing file of that name is no folder.
    return !ec && IsDir(p) ? 1 : 0;
}

int CFileDirTools::RemoveFileSpec(std::wstring& path, int addSeparator)
{
    return CutFileSpec(path, addSeparator);
}

int CFileDirTools::RemoveFileSpec(std::string& path, int addSeparator)
{
    return CutFileSpec(path, addSeparator);
}

std::wstring CFileDirTools::RemoveFileSpec1(std::wstring path, int addSeparator)
{
    RemoveFileSpec(path, addSeparator);
    return path;
}

std::string CFileDirTools::RemoveFileSpec1(std::string path, int addSeparator)
{
    RemoveFileSpec(path, addSeparator);
    return path;
}

std::wstring CFileDirTools::GetMyDocumentsPath()
{
    return Wide(GetMyDocumentsPathA());
}

std::string CFileDirTools::GetMyDocumentsPathA()
{
    std::string p = SpecialFolder(CSIDL_PERSONAL);
    if (p.empty()) p = Env("HOME");
    if (p.size() > 1) TrimTrailingSeparators(p);
    return p;
}

std::wstring CFileDirTools::GetAppDataPath()
{
    return Wide(GetAppDataPathA());
}

std::string CFileDirTools::GetAppDataPathA()
{
    std::string base = SpecialFolder(CSIDL_APPDATA);
    if (base.empty()) return GetAppPathA();
    TrimTrailingSeparators(base);
    std::string p = base + "/KestrelMedia";
    CreateDirectoryA(p);
    return p + "/";
}

std::wstring CFileDirTools::GetSpecialFolderPath(int csidl)
{
    return Wide(GetSpecialFolderPathA(csidl));
}

std::string CFileDirTools::GetSpecialFolderPathA(int csidl)
{
    std::string p = SpecialFolder(csidl);
    if (p.empty()) return p;
    TrimTrailingSeparators(p);
    return p + "/";
}

std::wstring CFileDirTools::GetAppPath()
{
    return Wide(GetAppPathA());
}

std::string CFileDirTools::GetAppPathA()
{
    return WithSeparator(GetExecutableFolder().string());
}

std::wstring CFileDirTools::GetTempFolder()
{
    return Wide(GetTempFolderA());
}

std::string CFileDirTools::GetTempFolderA()
{
    std::error_code ec;
    fs::path p = fs::temp_directory_path(ec);
    return ec ? std::string() : WithSeparator(p.string());
}

std::wstring CFileDirTools::GetTempFileNameW(const std::wstring& prefix)
{
    return Wide(GetTempFileNameA(Narrow(prefix)));
}

std::string CFileDirTools::GetTempFileNameA(const std::string& prefix)
{
    std::string folder = GetTempFolderA();
    if (folder.empty() || prefix.find('/') != std::string::npos) return {};
    std::string name = folder + Narrow(Wide(prefix).substr(0, 3)) + "XXXXXX.tmp";
    int fd = ::mkstemps(name.data(), 4);
    if (fd < 0) return {};
    ::close(fd);
    return name;
}

std::wstring CFileDirTools::GetRelativePath(const std::wstring& folder, const std::wstring& file)
{
    return Wide(GetRelativePath(Narrow(folder), Narrow(file)));
}

std::string CFileDirTools::GetRelativePath(const std::string& folder, const std::string& file)
{
    fs::path rel = fs::path(file).lexically_relative(fs::path(folder));
    if (rel.empty() || folder.empty()) return file;
    std::string r = rel.string();
    size_t start = r.find_first_not_of("/\\.");
    return start == std::string::npos ? std::string() : r.substr(start);
}
