#pragma once
// Static path and folder helpers: the program's folder, the user's documents and
// data folders (XDG), the temporary folder, relative paths and creating a folder
// with all its parents. Wide forms take the program's strings; narrow forms take
// and give UTF-8, the system's own file-name encoding.
#include <string>

// Folder kinds of GetSpecialFolderPath, with their traditional numbers.
enum : int {
    CSIDL_DESKTOP = 0x0000,
    CSIDL_PERSONAL = 0x0005,  // documents
    CSIDL_MYMUSIC = 0x000D,
    CSIDL_MYVIDEO = 0x000E,
    CSIDL_DESKTOPDIRECTORY = 0x0010,
    CSIDL_APPDATA = 0x001A,
    CSIDL_LOCAL_APPDATA = 0x001C,
    CSIDL_MYPICTURES = 0x0027,
    CSIDL_PROFILE = 0x0028,  // home
};

class CFileDirTools {
public:
    CFileDirTools& operator=(const CFileDirTools&) = default;

    // 'A' + index and ":\" (2 gives "C:\"); kept for the text only.
    static std::wstring GetDriveName(int index);
    static std::string GetDriveNameA(int index);

    // Creates every missing level; 1 when the folder exists afterwards, else 0.
    static int CreateDirectoryW(const std::wstring& path);
    static int CreateDirectoryA(const std::string& path);

    // Cuts the last element at the later of the last '/' and '\'; with
    // addSeparator a '/' follows the folder, whichever separator was cut.
    // 0 and unchanged when there is no separator past the first character.
    static int RemoveFileSpec(std::wstring& path, int addSeparator);
    static int RemoveFileSpec(std::string& path, int addSeparator);
    static std::wstring RemoveFileSpec1(std::wstring path, int addSeparator);
    static std::string RemoveFileSpec1(std::string path, int addSeparator);

    // The user's documents folder, else the home folder, else empty; no
    // trailing separator.
    static std::wstring GetMyDocumentsPath();
    static std::string GetMyDocumentsPathA();
    // The program's data folder (created when missing) with a trailing '/';
    // the program's folder when the user has none.
    static std::wstring GetAppDataPath();
    static std::string GetAppDataPathA();
    // The folder of a CSIDL kind with exactly one trailing '/'; empty when the
    // system has none for it.
    static std::wstring GetSpecialFolderPath(int csidl);
    static std::string GetSpecialFolderPathA(int csidl);
    // The executable's folder with a trailing '/'.
    static std::wstring GetAppPath();
    static std::string GetAppPathA();
    // The temporary folder with a trailing '/'; empty on failure.
    static std::wstring GetTempFolder();
    static std::string GetTempFolderA();
    // Creates a new empty file with a unique name (the prefix's first three
    // characters) in the temporary folder; its path, or empty on failure.
    static std::wstring GetTempFileNameW(const std::wstring& prefix);
    static std::string GetTempFileNameA(const std::string& prefix);
    // The file's path relative to the folder with every leading separator and
    // '.' removed; the file unchanged when no relative path exists.
    static std::wstring GetRelativePath(const std::wstring& folder, const std::wstring& file);
    static std::string GetRelativePath(const std::string& folder, const std::string& file);

private:
    CFileDirTools() = default;
};
