#pragma once
// Base of every object stored in a ".km" project file: named, typed parameters
// bound to member fields and numbered groups of child nodes, saved and loaded
// recursively, with lookups by name and a dump of the profile parameters.
#include "engine/MsgMng.h"
#include "model/config/ConfigGroup.h"
#include "model/config/ConfigParam.h"
#include "platform/Archive.h"
#include "platform/Variant.h"
#include <string>
#include <vector>

class CConfigMng : public CMsgMng {
public:
    CConfigMng() = default;
    ~CConfigMng() override;
    // Records point into the object that registered them: a copy would point
    // into the wrong object.
    CConfigMng(const CConfigMng&) = delete;
    CConfigMng& operator=(const CConfigMng&) = delete;

    // Group-container slots: item count, item at a 0-based index, and a new item
    // appended to the container (which owns it). A plain node has no items.
    virtual DWORD GetCount() { return 0; }
    virtual CConfigMng* GetAt(DWORD /*index*/) { return nullptr; }
    virtual CConfigMng* CreateItem() { return nullptr; }
    // After a load made items of this container: takes out those the file
    // could not back (a damaged file leaves one half read) and says how many.
    virtual DWORD DropIncompleteItems() { return 0; }
    // Per-node hooks that run first when the node is written or read; only the
    // project writes and checks the file header here.
    virtual HRESULT WriteHeader(CArchive& /*archive*/) { return S_OK; }
    virtual HRESULT ReadHeader(CArchive& /*archive*/) { return S_OK; }

    // Deletes every record (never the bound fields or containers).
    HRESULT Clear();

    // Registers into owner, which need not be this node. The member must match
    // the type: int32_t (0), std::wstring (2) or int64_t (3); it must outlive
    // the owner's records. A null owner or member, or another type, gives
    // E_POINTER or E_INVALIDARG and registers nothing.
    static HRESULT AddParam(CConfigMng* owner, const std::wstring& name, DWORD type, void* member, DWORD flag);
    // Registers prefix + "." + name.
    static HRESULT AddPrefixedParam(CConfigMng* owner, const std::wstring& name, const std::wstring& prefix,
                                    DWORD type, void* member, DWORD flag);
    static HRESULT AddGroup(CConfigMng* owner, DWORD id, CConfigMng* container);

    // By short name, exact: the first match's member pointer goes to *member;
    // untouched when none matches. Always S_OK.
    HRESULT FindParam(const std::wstring& name, void** member) const;
    // By short name, exact, for integer parameters: the value as VT_INT. When
    // the first match is not an integer it is treated as no match. Always S_OK;
    // *value is untouched when nothing matched.
    HRESULT GetParamValue(const std::wstring& name, VARIANT* value) const;
    // As GetParamValue, the other way: an integer value (I4, INT or UI4) goes
    // into the first matching integer parameter. Always S_OK.
    HRESULT SetParamValue(const std::wstring& name, const VARIANT& value);
    // By full name without regard to case, over integer and string parameters:
    // VT_INT or a VT_BSTR copy that the caller clears. S_OK when found, S_FALSE
    // when not.
    HRESULT GetParamVariant(const std::wstring& name, VARIANT* value) const;
    // By full name without regard to case: an integer parameter takes an
    // integer value, a string parameter a text. Always S_OK.
    HRESULT SetParamVariant(const std::wstring& name, const VARIANT& value);

    // Writes this node and every node under it. Always S_OK; write failures are
    // the archive's to report.
    HRESULT SaveConfig(CArchive& archive);
    // Reads into the already built tree: S_OK, S_FALSE for a short or damaged
    // file (what was read before stays, but no item it could not back), or the
    // header hook's failure. Items dropped are counted and reported as a warning.
    HRESULT LoadConfig(CArchive& archive);
    // Items the last LoadConfig of this node dropped.
    DWORD DroppedOnLoad() const { return m_droppedOnLoad; }
    // Whether the file begins with the project file magic.
    static bool IsConfigFile(const std::wstring& path);
    // Writes the flagged parameters as profile text ("name:value;" lines, CR LF)
    // replacing the file; 1 when written, 0 when the file could not be written.
    int DumpParams(const std::wstring& path) const;

    const std::vector<ConfigParam>& Params() const { return m_params; }
    const std::vector<ConfigGroup>& Groups() const { return m_groups; }

private:
    const ConfigParam* FindByShortName(const std::wstring& name) const;
    const ConfigParam* FindByFullNameNoCase(const std::wstring& name) const;
    const ConfigParam* FindByFullName(const std::wstring& name) const;
    ConfigGroup* FindGroup(DWORD id);
    HRESULT LoadNode(CArchive& archive, unsigned depth, DWORD& dropped);
    HRESULT LoadParamRecord(CArchive& archive);
    HRESULT LoadGroupRecord(CArchive& archive, unsigned depth, DWORD& dropped);
    HRESULT LoadGroupItems(ConfigGroup& group, uint32_t count, CArchive& archive, unsigned depth, DWORD& dropped);

    std::vector<ConfigParam> m_params;
    std::vector<ConfigGroup> m_groups;
    DWORD m_droppedOnLoad = 0;
};
