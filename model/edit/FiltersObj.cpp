#include "model/edit/FiltersObj.h"
#include "engine/JobTreeKeys.h"
#include "engine/EngineIds.h"
#include "engine/FrameFilterSettings.h"
#include "model/config/ConfigMng.h"
#include "model/edit/LevelText.h"
#include "model/source/PropertyAccess.h"
#include "platform/ClassRegistry.h"

namespace {
constexpr const wchar_t* kDefaultLevel = L"0:1.00:255";
// In-process server and handler, local and remote server.
constexpr DWORD kEngineClassContext = 23;
}

CFiltersObj::CFiltersObj()
{
    Reset();
}

CFiltersObj::~CFiltersObj() = default;

void CFiltersObj::Reset()
{
    for (int32_t* f : {&nagative, &grayscale, &sharpen, &soften, &enchange, &deinterlace, &autolevel,
                       &autocontrast, &depth_map, &brightness, &contrast, &gamma, &hue, &saturation,
                       &luminosity, &red, &green, &blue, &y, &u, &v, &cmyk_c, &cmyk_m, &cmyk_y, &cmyk_h,
                       &lms_l, &lms_m, &lms_s, &balancec, &balancem, &balancey, &preservel, &range})
        *f = 0;
    level = kDefaultLevel;
}

int CFiltersObj::Bind(const std::wstring& prefix, CConfigMng* node)
{
    const struct {
        const wchar_t* key;
        int32_t* field;
    } params[] = {
        {L"nagative", &nagative}, {L"grayscale", &grayscale}, {L"sharpen", &sharpen}, {L"soften", &soften},
        {L"enchange", &enchange}, {L"deinterlace", &deinterlace}, {L"autolevel", &autolevel},
        {L"autocontrast", &autocontrast}, {L"brightness", &brightness}, {L"contrast", &contrast},
        {L"gamma", &gamma}, {L"red", &red}, {L"green", &green}, {L"blue", &blue}, {L"balancec", &balancec},
        {L"balancem", &balancem}, {L"balancey", &balancey}, {L"preservel", &preservel}, {L"range", &range},
        {L"level", nullptr}, {L"hue", &hue}, {L"saturation", &saturation}, {L"luminosity", &luminosity},
        {L"y", &y}, {L"u", &u}, {L"v", &v}, {L"cmyk_c", &cmyk_c}, {L"cmyk_m", &cmyk_m}, {L"cmyk_y", &cmyk_y},
        {L"cmyk_h", &cmyk_h}, {L"lms_l", &lms_l}, {L"lms_m", &lms_m}, {L"lms_s", &lms_s},
        {L"depth_map", &depth_map},
    };
    for (const auto& p : params) {
        if (p.field)
            CConfigMng::AddPrefixedParam(node, p.key, prefix, CONFIG_TYPE_INT, p.field, 0);
        else
            CConfigMng::AddPrefixedParam(node, p.key, prefix, CONFIG_TYPE_STRING, &level, 0);
    }
    return 0;
}

void CFiltersObj::CreateSchema()
{
    auto add = [this](CSchemaProperties* group, UINT label, int32_t* field, bool isSwitch, int32_t lo = 0,
                      int32_t hi = 0) {
        return AddProperty(label, group, 0, SCHEMA_TYPE_INT, field, isSwitch ? SPF_SWITCH : SPF_SPIN, SPB_NONE,
                           isSwitch ? 0 : lo, isSwitch ? 0 : hi);
    };
    CSchemaProperties* autoGroup = AddGroup(304, 0);
    add(autoGroup, 314, &autolevel, true);
    add(autoGroup, 315, &autocontrast, true);

    CSchemaProperties* image = AddGroup(301, 0);
    AddProperty(327, image, 0, SCHEMA_TYPE_STRING, &level, SPF_DROPDOWN);
    add(image, 303, &sharpen, true);
    add(image, 311, &soften, true);
    add(image, 300, &nagative, true);
    add(image, 302, &grayscale, true);
    add(image, 312, &enchange, true);
    add(image, 313, &deinterlace, true);
    add(image, 316, &brightness, false, -100, 100);
    add(image, 315, &contrast, false, -100, 100);
    add(image, 317, &gamma, false, -100, 100);
    add(image, 333, &hue, false, -90, 90);
    add(image, 334, &saturation, false, -100, 100);
    add(image, 335, &luminosity, false, -100, 100);

    CSchemaProperties* balance = AddGroup(321, 0);
    add(balance, 322, &balancec, false, -100, 100);
    add(balance, 323, &balancem, false, -100, 100);
    add(balance, 324, &balancey, false, -100, 100);
    add(balance, 325, &preservel, true);
    CSchemaProperty* tones = AddProperty(326, balance, 0, SCHEMA_TYPE_INT, &range, SPF_NO_TYPING);
    CSchemaProperty::AddOption(tones, 0, L"Shadow");
    CSchemaProperty::AddOption(tones, 1, L"Midtone");
    CSchemaProperty::AddOption(tones, 2, L"Highligth");

    CSchemaProperties* rgb = AddGroup(305, 0);
    add(rgb, 318, &red, false, -128, 128);
    add(rgb, 319, &green, false, -128, 128);
    add(rgb, 320, &blue, false, -128, 128);

    CSchemaProperties* yuv = AddGroup(329, 0);
    add(yuv, 330, &y, false, -100, 100);
    add(yuv, 331, &u, false, -100, 100);
    add(yuv, 332, &v, false, -100, 100);

    CSchemaProperties* cmyk = AddGroup(336, 0);
    add(cmyk, 337, &cmyk_c, false, -100, 100);
    add(cmyk, 338, &cmyk_m, false, -100, 100);
    add(cmyk, 339, &cmyk_y, false, -100, 100);
    add(cmyk, 340, &cmyk_h, false, -100, 100);

    CSchemaProperties* lms = AddGroup(341, 0);
    add(lms, 343, &lms_l, false, -100, 100);
    add(lms, 344, &lms_m, false, -100, 100);
    add(lms, 345, &lms_s, false, -100, 100);
}

std::vector<std::pair<std::wstring, CVariant>> CFiltersObj::EngineValues() const
{
    const struct {
        const wchar_t* name;
        int32_t value;
    } values[] = {
        {jobkey::IsAutoLevel, autolevel}, {jobkey::IsAutoContrast, autocontrast}, {jobkey::IsSharpen, sharpen},
        {jobkey::IsSoften, soften}, {jobkey::IsImageNegative, nagative}, {jobkey::IsImageGrayscale, grayscale},
        {jobkey::IsAutoEnhance, enchange}, {jobkey::IsDeInterlace, deinterlace},
        {jobkey::COLOR_BRIGHTNESS, brightness}, {jobkey::COLOR_CONSTRAST, contrast}, {jobkey::Gamma, gamma},
        {jobkey::RGB_RED, red}, {jobkey::RGB_GREEN, green}, {jobkey::RGB_BLUE, blue},
        {jobkey::COLOR_BALANSE_RED, balancec}, {jobkey::COLOR_BALANSE_GREEN, balancem},
        {jobkey::COLOR_BALANSE_BLUE, balancey}, {jobkey::PreserveLuminosity, preservel}, {jobkey::Range, range},
        {jobkey::COLOR_Y, y}, {jobkey::COLOR_U, u}, {jobkey::COLOR_V, v}, {jobkey::COLOR_HUE, hue},
        {jobkey::COLOR_SATURATION, saturation}, {jobkey::COLOR_LUMINOSITY, luminosity},
        {jobkey::CMYK_C, cmyk_c}, {jobkey::CMYK_M, cmyk_m}, {jobkey::CMYK_Y, cmyk_y}, {jobkey::CMYK_K, cmyk_h},
        {jobkey::COLORLMS_L, lms_l}, {jobkey::COLORLMS_M, lms_m}, {jobkey::COLORLMS_S, lms_s}, {jobkey::DepthMap, depth_map},
    };
    std::vector<std::pair<std::wstring, CVariant>> out;
    for (const auto& setting : values) out.emplace_back(setting.name, CVariant(setting.value));

    // Start from the identity levels so a short or empty text never yields
    // an empty range or a gamma of 0.
    int32_t black = 0;
    int32_t white = 255;
    double gammaLevel = 1.0;
    ParseLevelText(level, &black, &white, &gammaLevel);
    for (const wchar_t* channel : jobkey::kLevelChannels) {
        out.emplace_back(jobkey::LevelMinKey(channel), CVariant(black));
        out.emplace_back(jobkey::LevelMaxKey(channel), CVariant(white));
        out.emplace_back(jobkey::LevelMiddleKey(channel), CVariant(gammaLevel));
    }
    return out;
}

void CFiltersObj::WriteEngineValues(IUnknown* node) const
{
    for (const auto& [name, value] : EngineValues())
        SetSourceProperty(node, name.c_str(), value);
}

FrameFilterSettings CFiltersObj::EngineSettings() const
{
    FrameFilterSettings settings;
    for (const auto& [name, value] : EngineValues())
        settings.SetByName(name.c_str(), value);
    return settings;
}

int CFiltersObj::GetEngineFilter(IUnknown** out)
{
    if (out) *out = nullptr;
    if (!m_engineFilter) {
        CoCreateInstance(CLSID_FrameFilters, nullptr, kEngineClassContext, IID_IUnknown,
                         m_engineFilter.ReleaseAndGetVoidAddress());
        if (!m_engineFilter) return 0;
    }
    // The preview may be filtering with this object on another thread: hand
    // it the new values as one change where the object allows it, so no frame
    // is drawn with half old and half new values.
    if (ComPtr<IFrameFilterSettings> whole = m_engineFilter.As<IFrameFilterSettings>()) {
        FrameFilterSettings settings;
        whole->GetSettings(&settings);
        for (const auto& [name, value] : EngineValues()) settings.SetByName(name.c_str(), value);
        whole->SetSettings(&settings);
    } else {
        WriteEngineValues(m_engineFilter.Get());
    }
    if (out) {
        m_engineFilter->AddRef();
        *out = m_engineFilter.Get();
    }
    return 0;
}

void GetFiltersCollection(IUnknown* node, IEngineCollection** out)
{
    if (!out) return;
    *out = nullptr;
    if (ComPtr<IUnknown> child = GetNodeItem(node, jobkey::Filters))
        child->QueryInterface(IEngineCollection::kIID, reinterpret_cast<void**>(out));
}

void CFiltersObj::TransferToFormat(IUnknown* formatNode)
{
    ComPtr<IEngineCollection> filters;
    GetFiltersCollection(formatNode, filters.ReleaseAndGetAddressOf());
    if (!filters) return;
    LONG count = 0;
    filters->GetCount(&count);
    if (count < 1) return;
    ComPtr<IUnknown> item;
    filters->GetItem(0, item.ReleaseAndGetAddressOf());
    if (item) WriteEngineValues(item.Get());
}
