#pragma once
// One typed, editable setting of a property schema: the field it is bound to,
// how the settings grid edits it (flags, limits, options) and whether it shows.
#include "platform/Types.h"
#include "platform/Unknown.h"
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CListEnumBase;
class CSchemaProperties;
class CKMFile;

// Value types of a bound field.
enum : UINT {
    SCHEMA_TYPE_INT = 0,     // int32_t
    SCHEMA_TYPE_STRING = 2,  // std::wstring
};

// Editing flags of a property, as the settings grid applies them.
enum : UINT {
    SPF_NO_TYPING = 0x0001,
    SPF_BUTTON = 0x0002,
    SPF_SWITCH = 0x0004,
    SPF_REBUILD = 0x0008,
    SPF_READONLY = 0x0010,
    SPF_COLOR = 0x0020,
    SPF_FONTS = 0x0040,
    SPF_SPIN = 0x0080,
    SPF_DROPDOWN = 0x0100,
    SPF_FRAME_SIZE = 0x0200,
    SPF_ENABLE_DISABLE = 0x0400,
    SPF_NO_ROW = 0x0800,
    SPF_PROFILE_CHANGE = 0x1000,
    SPF_ALWAYS_EDITABLE = 0x2000,
};

// What the row button opens (flag SPF_BUTTON on a property without options).
enum : UINT {
    SPB_NONE = 0,
    SPB_FOLDER = 1,
    SPB_AUDIO_FILE = 2,
    SPB_IMAGE_FILE = 3,
    SPB_MEDIA_FILE = 4,
    SPB_JOIN_IMAGES = 5,
    SPB_FILE_NAME_BUILDER = 6,
};

struct SchemaOption {
    std::wstring text;
    int32_t value = 0;
};

class CSchemaProperty {
public:
    CSchemaProperty() = default;
    ~CSchemaProperty();
    CSchemaProperty(const CSchemaProperty&) = delete;
    CSchemaProperty& operator=(const CSchemaProperty&) = delete;

    static void AddOption(CSchemaProperty* property, int32_t value, const std::wstring& text);
    static void AddOptionById(UINT textId, CSchemaProperty* property, int32_t value);
    static void ClearOptions(CSchemaProperty* property);
    // Replaces the options by the items of an engine list, in list order.
    static void FillOptions(const CListEnumBase& list, CSchemaProperty* property);

    // The bound field when the type matches, else null (other types have no value).
    int32_t* IntValue() const;
    std::wstring* StringValue() const;

    std::wstring name;
    void* value = nullptr;  // not owned; int32_t for type 0, std::wstring for type 2
    UINT type = SCHEMA_TYPE_INT;
    UINT flags = 0;
    UINT buttonKind = SPB_NONE;
    int32_t id = 0;
    int32_t maximum = 0;
    int32_t minimum = 0;
    UINT hidden = 0;
    UINT buttonEnabled = 1;
    UINT engineBacked = 0;
    std::vector<SchemaOption> options;
    // Shared so that a grid row holding it stays valid while the owner rebuilds
    // its codec list.
    std::shared_ptr<CListEnumBase> optionSource;
    std::unique_ptr<CSchemaProperties> nestedGroup;
    ComPtr<IUnknown> engineProperty;  // engine-backed properties only
    CKMFile* sourceEntry = nullptr;   // engine-backed properties only; not owned
    std::wstring keyPrefix;           // engine-backed properties only
};
