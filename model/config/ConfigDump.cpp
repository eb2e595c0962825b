// Profile text of the flagged parameters: "name:value;" lines with CR LF ends,
// in the ANSI code page.
#include "model/config/ConfigMng.h"
#include "model/util/AnsiConv.h"
#include "platform/TextConv.h"

namespace {
// Limits of the profile text in UTF-16 units, terminator included.
constexpr size_t kMaxText = 65000;
constexpr size_t kMaxLine = 512;

std::wstring LineOf(const ConfigParam& p)
{
    switch (p.type) {
    case CONFIG_TYPE_INT:
        return p.name + L":" + std::to_wstring(*static_cast<const int32_t*>(p.member)) + L";\n";
    case CONFIG_TYPE_STRING:
        return p.name + L":" + *static_cast<const std::wstring*>(p.member) + L";\n";
    default:
        return {};  // 64-bit times are not profile settings
    }
}
}

int CConfigMng::DumpParams(const std::wstring& path) const
{
    std::wstring text;
    size_t units = 0;
    for (const ConfigParam& p : m_params) {
        if (!p.flag) continue;
        std::wstring line = LineOf(p);
        size_t n = Utf16Length(line);
        // A line that does not fit is left out whole: a cut one would lose its
        // ";" and run into the next on reading.
        if (n == 0 || n >= kMaxLine) continue;
        if (units + n >= kMaxText) break;
        text += line;
        units += n;
    }

    std::string ansi = WideToAnsi(text);
    std::string bytes;
    bytes.reserve(ansi.size() + ansi.size() / 8);
    for (char c : ansi) {
        if (c == '\n') bytes += '\r';
        bytes += c;
    }
    // Written beside the target and renamed over it, so a failed write leaves
    // the old file as it was.
    CFileWriteArchive out(WideToUtf8(path));
    out.Write(bytes.data(), bytes.size());
    return out.Commit() ? 1 : 0;
}
