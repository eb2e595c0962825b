#pragma once
// Common part of the output settings objects: the file and naming settings,
// registration under a key prefix into the project node, the file group of the
// schema, the format rule of the visible groups, and by-key value access for
// the engine's codec lists.
#include "model/schema/SchemaImpl.h"
#include "platform/Types.h"
#include <string>

class CConfigMng;

class COutputFileObj : public CSchemaImpl {
public:
    COutputFileObj();
    ~COutputFileObj() override;

    // Hides the stream groups and the frame rate when the format has no
    // options of its own (0 or "Same as source"), shows them otherwise.
    void UpdateStates() override;
    // Registers the common keys as prefix + "." + key into node and remembers
    // both; E_POINTER without a node.
    virtual HRESULT Bind(const std::wstring& prefix, CConfigMng* node);
    virtual void CreateSchema();
    // Fills the "file_format" property with the formats of this output kind.
    virtual void FillFormatList(CSchemaProperty* property) = 0;

    // The bound node's parameter prefix + "." + key: an integer setting gives
    // an integer, a text setting a text. Without a node, or for a key this
    // output did not register, nothing changes. Always S_OK.
    HRESULT GetValue(const wchar_t* key, VARIANT* out) override;
    HRESULT SetValue(const wchar_t* key, VARIANT value) override;

    CConfigMng* GetNode() const { return m_node; }

protected:
    struct KeyEntry {
        const wchar_t* key;
        DWORD type;
        void* field;
        DWORD flag;
    };
    template <size_t N>
    static HRESULT RegisterKeys(const std::wstring& prefix, CConfigMng* node, const KeyEntry (&keys)[N])
    {
        return RegisterKeys(prefix, node, keys, N);
    }
    static HRESULT RegisterKeys(const std::wstring& prefix, CConfigMng* node, const KeyEntry* keys, size_t count);
    // The keys the advanced objects open with: "adv_operation", "adv_split_type",
    // "adv_split_count_part", "adv_split_size", "adv_split_time", "adv_split_start_time".
    HRESULT RegisterSplitKeys(const std::wstring& prefix, CConfigMng* node);
    // The audio keys of the video and audio outputs, "audio_codec" to "audio_quality".
    HRESULT RegisterAudioKeys(const std::wstring& prefix, CConfigMng* node);
    // The format group of the audio and image outputs: "file_format" alone.
    void CreateFormatGroup();
    // Options of the engine's format list of a category, in list order.
    static void FillFormats(CSchemaProperty* property, DWORD category);
    bool HasStreamFormat() const;

private:
    std::wstring FullName(const wchar_t* key) const;

    CConfigMng* m_node = nullptr;  // not owned
    std::wstring m_prefix;
};
