#pragma once
// One watermark of a visual output (text, image, two shapes, media file): its
// 44 settings as a project-file node and a settings-grid schema, and the
// engine item it is drawn through.
#include "engine/WatermarkItem.h"
#include "model/config/ConfigMng.h"
#include "model/schema/PropertiesImpl.h"
#include "platform/Unknown.h"
#include <cstdint>
#include <string>

struct IEngineCollection;
struct IEngineNode;
struct IFilesNode;

// A watermark's own identity: never reused within a process, never 0. It stays
// the same while the watermark's engine item is replaced (preview, conversion).
using WatermarkId = uint64_t;
constexpr WatermarkId kNoWatermarkId = 0;

class CWatermarkObj : public CConfigMng, public CPropertiesImpl {
public:
    explicit CWatermarkObj(uint32_t videoOutput);
    CWatermarkObj(int32_t kind, uint32_t videoOutput);
    // Values and video-output flag of the source; its own registrations,
    // schema and identity; no engine item.
    CWatermarkObj(const CWatermarkObj& source);
    CWatermarkObj& operator=(const CWatermarkObj&) = delete;
    ~CWatermarkObj() override;

    // The schema's names, where both bases have one.
    using CPropertiesImpl::AddGroup;
    using CPropertiesImpl::FindGroup;

    void UpdateStates() override;
    // 0 for the shapes (kinds 2 and 3), whose size is dragged rather than moved.
    uint32_t IsMovable() const;

    // Creates a new item of this kind in engineObject's "Watermarks"
    // collection, keeps it as the engine item and writes every value into it.
    void CreateEngineWatermark(IUnknown* engineObject, uint32_t skipTiming);
    // Writes every value into the current engine item (nothing without one).
    void ApplyToEngine(uint32_t skipTiming);
    // The values the engine item holds once they are written, as the engine
    // reads them back.
    WatermarkItemDesc EngineDesc(uint32_t skipTiming) const;
    // Whether the engine has an item class of this watermark's kind.
    bool HasEngineKind() const;

    IUnknown* GetEngineItem() const { return m_engineItem.Get(); }
    WatermarkId GetId() const { return m_id; }
    uint32_t IsVideoOutput() const { return m_videoOutput; }

    // Defaults of a new watermark.
    int32_t watermark_id = 0;
    std::wstring text = L"www.example.com";
    int32_t placement = 8;
    int32_t x = 10;
    int32_t y = 10;
    int32_t width = 100;
    int32_t height = 100;
    int32_t stretching = 0;
    int32_t transparency = 0;
    int32_t angel = 0;
    int32_t figure_type = 2;
    int32_t curve = 0;
    int32_t border = 2;
    int32_t color = 0;
    std::wstring path;
    std::wstring resize = L"100%";
    std::wstring font_name = L"Tahoma";
    int32_t font_size = 10;
    int32_t font_bold = 0;
    int32_t font_italic = 0;
    int32_t font_underline = 0;
    int32_t font_strikeout = 0;
    int32_t font_align = 0;
    int32_t font_charset = 0;  // a character set code, see FontCatalog.h
    int32_t stroke = 0;
    int32_t strokecolor = 255;
    int32_t strokewidth = 1;
    int32_t stroketransparency = 0;
    int32_t dropshadow = 0;
    int32_t dropshadowcolor = 0;
    int32_t dropshadowtransparency = 25;
    int32_t dropshadowangle = 45;
    int32_t dropshadowsize = 4;
    int32_t dropshadowdistance = 8;
    int32_t fadeIn = 0;
    int32_t fadeInduration = 2;
    int32_t fadeOut = 0;
    int32_t fadeOutduration = 2;
    int32_t timelineAllVideo = 0;
    int32_t timelineType = 0;
    std::wstring timelineStartTime = L"0:00:00";
    std::wstring timelineEndTime = L"0:00:10";
    std::wstring timelineDurationTime = L"0:00:10";
    std::wstring timelineOffsetTime = L"0:00:00";

private:
    void InitParams(const CWatermarkObj* source);
    void CreateSchema();
    void FillCharsetList(CSchemaProperty* property);
    void FillResizeList(CSchemaProperty* property);
    void WriteTiming(const WatermarkItemDesc& desc);

    uint32_t m_videoOutput = 0;
    WatermarkId m_id = kNoWatermarkId;
    ComPtr<IUnknown> m_engineItem;
};

// engineObject's "Watermarks" child as the watermark collection (one reference), or null.
IFilesNode* GetWatermarksNode(IFilesNode** out, IUnknown* engineObject);
// item's "Timelines" child as a collection (one reference), or null.
IEngineCollection* GetTimelinesNode(IUnknown* item, IEngineCollection** out);
