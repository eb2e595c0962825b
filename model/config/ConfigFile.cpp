// The ".km" node records: parameters and groups, little-endian, names in the
// ANSI code page, strings as UTF-16LE without terminator.
#include "model/config/ConfigFileHeader.h"
#include "model/config/ConfigMng.h"
#include "model/config/ConfigStream.h"
#include "model/util/AnsiConv.h"
#include "platform/ResourceLibrary.h"
#include "platform/TextConv.h"
#include <algorithm>
#include <fstream>

using namespace ConfigStream;

namespace {
// Items nest only as deep as the registered tree does; a file that claims
// more is damaged, and this keeps it from exhausting the stack.
constexpr unsigned kMaxDepth = 64;
// The smallest node record: its parameter and group counts.
constexpr uint64_t kMinNodeSize = 8;
// Warning after a load that dropped items (%u: how many).
constexpr UINT kMsgDroppedEntries = 5306;

void WriteU32Pair(CArchive& archive, uint32_t a, uint32_t b)
{
    uint8_t buf[8];
    PutU32(buf, a);
    PutU32(buf + 4, b);
    archive.Write(buf, sizeof buf);
}

void WriteEmptyNode(CArchive& archive)
{
    WriteU32Pair(archive, 0, 0);
}

void WriteParam(CArchive& archive, const ConfigParam& p)
{
    // A name longer than the length byte can say is cut so the file stays in step.
    std::string name = WideToAnsi(p.name);
    if (name.size() > 255) name.resize(255);
    uint8_t len = static_cast<uint8_t>(name.size());
    archive.Write(&len, 1);
    if (len) archive.Write(name.data(), len);

    std::vector<uint8_t> value;
    switch (p.type) {
    case CONFIG_TYPE_INT: {
        value.resize(4);
        PutU32(value.data(), static_cast<uint32_t>(*static_cast<const int32_t*>(p.member)));
        break;
    }
    case CONFIG_TYPE_INT64: {
        uint64_t v = static_cast<uint64_t>(*static_cast<const int64_t*>(p.member));
        value.resize(8);
        PutU32(value.data(), static_cast<uint32_t>(v));
        PutU32(value.data() + 4, static_cast<uint32_t>(v >> 32));
        break;
    }
    default:
        value = WideToUtf16LE(*static_cast<const std::wstring*>(p.member));
        if (value.size() > 0xFFFFFFFEu) value.resize(0xFFFFFFFEu);
        break;
    }
    WriteU32Pair(archive, p.type, static_cast<uint32_t>(value.size()));
    if (!value.empty()) archive.Write(value.data(), value.size());
}

// Puts up to width stored bytes into the low-order bytes of an integer field.
template <class T>
bool ReadInteger(CArchive& archive, T& field, uint32_t size)
{
    constexpr size_t width = sizeof(T);
    size_t n = std::min<size_t>(size, width);
    uint8_t buf[width] = {};
    if (!ReadExact(archive, buf, n)) return false;
    using U = std::make_unsigned_t<T>;
    U v = static_cast<U>(field);
    for (size_t i = 0; i < n; ++i) {
        v &= ~(static_cast<U>(0xFF) << (8 * i));
        v |= static_cast<U>(buf[i]) << (8 * i);
    }
    field = static_cast<T>(v);
    return Skip(archive, size - n);
}
}

HRESULT CConfigMng::SaveConfig(CArchive& archive)
{
    WriteHeader(archive);
    WriteU32Pair(archive, static_cast<uint32_t>(m_params.size()), static_cast<uint32_t>(m_groups.size()));
    for (const ConfigParam& p : m_params) WriteParam(archive, p);
    for (const ConfigGroup& g : m_groups) {
        uint32_t count = g.container->GetCount();
        uint8_t buf[12];
        PutU32(buf, g.id);
        PutU32(buf + 4, 0);
        PutU32(buf + 8, count);
        archive.Write(buf, sizeof buf);
        for (uint32_t i = 0; i < count; ++i) {
            CConfigMng* item = g.container->GetAt(i);
            if (item)
                item->SaveConfig(archive);
            else
                WriteEmptyNode(archive);  // keeps the count written above true
        }
    }
    return S_OK;
}

HRESULT CConfigMng::LoadConfig(CArchive& archive)
{
    m_droppedOnLoad = 0;
    const HRESULT hr = LoadNode(archive, 0, m_droppedOnLoad);
    if (m_droppedOnLoad > 0) {
        std::wstring text = LoadResString(kMsgDroppedEntries);
        if (text.empty()) text = L"The project file is damaged: %u entries could not be read and were left out.";
        CMsgArg count;
        count.kind = CMsgArg::Unsigned;
        count.number = m_droppedOnLoad;
        SendText(FormatMessageSafe(text, {count}), MSGF_WARNING);
    }
    return hr;
}

HRESULT CConfigMng::LoadNode(CArchive& archive, unsigned depth, DWORD& dropped)
{
    HRESULT hr = ReadHeader(archive);
    if (hr != S_OK) return hr;
    uint8_t counts[8];
    if (!ReadExact(archive, counts, sizeof counts)) return S_FALSE;
    // Each record reads at least one byte or ends the load, so a count larger
    // than the file can hold runs out of data, not out of memory.
    uint32_t paramCount = GetU32(counts), groupCount = GetU32(counts + 4);
    for (uint32_t i = 0; i < paramCount; ++i)
        if (LoadParamRecord(archive) != S_OK) return S_FALSE;
    for (uint32_t i = 0; i < groupCount; ++i)
        if (LoadGroupRecord(archive, depth, dropped) != S_OK) return S_FALSE;
    return S_OK;
}

HRESULT CConfigMng::LoadParamRecord(CArchive& archive)
{
    uint8_t len = 0;
    if (!ReadExact(archive, &len, 1)) return S_FALSE;
    std::string name(len, '\0');
    if (!ReadExact(archive, name.data(), len)) return S_FALSE;
    uint8_t typeSize[8];
    if (!ReadExact(archive, typeSize, sizeof typeSize)) return S_FALSE;
    uint32_t size = GetU32(typeSize + 4);  // the stored type is not consulted

    const ConfigParam* p = FindByFullName(AnsiToWide(name));
    if (!p) return Skip(archive, size) ? S_OK : S_FALSE;
    switch (p->type) {
    case CONFIG_TYPE_INT:
        return ReadInteger(archive, *static_cast<int32_t*>(p->member), size) ? S_OK : S_FALSE;
    case CONFIG_TYPE_INT64:
        return ReadInteger(archive, *static_cast<int64_t*>(p->member), size) ? S_OK : S_FALSE;
    default: {
        if (size == 0) return S_OK;  // an empty string keeps the field's default
        std::vector<uint8_t> bytes;
        uint64_t got = ReadUpTo(archive, size, bytes);
        *static_cast<std::wstring*>(p->member) = Utf16LEToWide(bytes.data(), bytes.size() / 2);
        return got == size ? S_OK : S_FALSE;
    }
    }
}

HRESULT CConfigMng::LoadGroupRecord(CArchive& archive, unsigned depth, DWORD& dropped)
{
    uint8_t rec[12];
    if (!ReadExact(archive, rec, sizeof rec)) return S_FALSE;
    uint32_t id = GetU32(rec), skipSize = GetU32(rec + 4), count = GetU32(rec + 8);
    ConfigGroup* g = FindGroup(id);
    if (!g) {
        // Writers store 0 as the skip size, so an unknown group with items cannot
        // be passed over: reading on would take its items for our own records.
        if (static_cast<uint64_t>(skipSize) < count * kMinNodeSize) return S_FALSE;
        return Skip(archive, skipSize) ? S_OK : S_FALSE;
    }
    if (count > 0 && depth + 1 >= kMaxDepth) return S_FALSE;
    const HRESULT hr = LoadGroupItems(*g, count, archive, depth, dropped);
    // On every way out: an item the file did not back never stays.
    if (count > 0) dropped += g->container->DropIncompleteItems();
    return hr;
}

HRESULT CConfigMng::LoadGroupItems(ConfigGroup& g, uint32_t count, CArchive& archive, unsigned depth, DWORD& dropped)
{
    for (uint32_t i = 0; i < count; ++i) {
        // Without an item its record cannot be read, and the rest would be out of step.
        CConfigMng* item = g.container->CreateItem();
        if (!item) return S_FALSE;
        // A failed item means the data ran out or went wrong; stop rather than
        // create the rest of a count the file cannot back.
        if (item->LoadNode(archive, depth + 1, dropped) != S_OK) return S_FALSE;
    }
    return S_OK;
}

bool CConfigMng::IsConfigFile(const std::wstring& path)
{
    std::ifstream in(WideToUtf8(path), std::ios::binary);
    if (!in) return false;
    uint8_t header[kConfigHeaderSize];
    in.read(reinterpret_cast<char*>(header), sizeof header);
    if (static_cast<size_t>(in.gcount()) != sizeof header) return false;
    return IsConfigMagic(header, sizeof header);
}
