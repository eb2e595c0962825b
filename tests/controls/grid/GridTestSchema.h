#pragma once
// A small schema with every case the grid's build treats apart: a hidden
// group, a property that never shows (0x0800), a hidden property, a property
// with nested properties (one of them hidden), an always-editable property.
#include "model/schema/PropertiesImpl.h"
#include <memory>
#include <string>

class GridTestSchema : public CPropertiesImpl {
public:
    int updates = 0;
    void UpdateStates() override { ++updates; }

    int32_t format = 2, bitrate = 800, noRow = 7, secret = 9, width = 640, height = 480, hiddenNested = 1,
            enabled = 1, color = 0x112233, spin = 50;
    std::wstring title = L"clip", level = L"0:1.00:255";
    CSchemaProperties* general = nullptr;
    CSchemaProperties* hiddenGroup = nullptr;
    CSchemaProperties* picture = nullptr;
    CSchemaProperty *formatP = nullptr, *bitrateP = nullptr, *noRowP = nullptr, *secretP = nullptr, *sizeP = nullptr,
                    *widthP = nullptr, *heightP = nullptr, *hiddenNestedP = nullptr, *enabledP = nullptr,
                    *colorP = nullptr, *levelP = nullptr, *titleP = nullptr, *spinP = nullptr;

    GridTestSchema()
    {
        general = Group(L"General", 1);
        formatP = Prop(general, L"Format", 10, SCHEMA_TYPE_INT, &format, SPF_NO_TYPING | SPF_REBUILD | SPF_PROFILE_CHANGE);
        CSchemaProperty::AddOption(formatP, 1, L"AVI");
        CSchemaProperty::AddOption(formatP, 2, L"MP4");
        CSchemaProperty::AddOption(formatP, 3, L"MKV");
        noRowP = Prop(general, L"Internal", 11, SCHEMA_TYPE_INT, &noRow, SPF_NO_ROW);
        bitrateP = Prop(general, L"Bitrate", 12, SCHEMA_TYPE_INT, &bitrate, 0);
        secretP = Prop(general, L"Secret", 13, SCHEMA_TYPE_INT, &secret, 0);
        secretP->hidden = 1;
        titleP = Prop(general, L"Title", 14, SCHEMA_TYPE_STRING, &title, SPF_ALWAYS_EDITABLE);

        hiddenGroup = Group(L"Hidden", 2);
        hiddenGroup->hidden = 1;
        Prop(hiddenGroup, L"Never", 20, SCHEMA_TYPE_INT, &noRow, 0);

        picture = Group(L"Picture", 3);
        sizeP = Prop(picture, L"Size", 30, SCHEMA_TYPE_INT, &width, 0);
        sizeP->nestedGroup = std::make_unique<CSchemaProperties>();
        widthP = Nested(sizeP, L"Width", 31, &width);
        heightP = Nested(sizeP, L"Height", 32, &height);
        hiddenNestedP = Nested(sizeP, L"Depth", 33, &hiddenNested);
        hiddenNestedP->hidden = 1;
        enabledP = Prop(picture, L"Enabled", 34, SCHEMA_TYPE_INT, &enabled, SPF_SWITCH);
        colorP = Prop(picture, L"Colour", 35, SCHEMA_TYPE_INT, &color, SPF_COLOR);
        levelP = Prop(picture, L"Levels", 36, SCHEMA_TYPE_STRING, &level, SPF_DROPDOWN);
        spinP = Prop(picture, L"Strength", 37, SCHEMA_TYPE_INT, &spin, SPF_SPIN);
        spinP->minimum = 0;
        spinP->maximum = 100;
    }

private:
    CSchemaProperties* Group(const wchar_t* name, int32_t id)
    {
        CSchemaProperties* g = AddGroup(0, id);
        g->name = name;
        return g;
    }
    CSchemaProperty* Prop(CSchemaProperties* g, const wchar_t* name, int32_t id, UINT type, void* field, UINT flags)
    {
        CSchemaProperty* p = AddProperty(0, g, id, type, field, flags);
        p->name = name;
        return p;
    }
    static CSchemaProperty* Nested(CSchemaProperty* parent, const wchar_t* name, int32_t id, int32_t* field)
    {
        auto p = std::make_unique<CSchemaProperty>();
        p->name = name;
        p->id = id;
        p->value = field;
        CSchemaProperty* raw = p.get();
        parent->nestedGroup->properties.push_back(std::move(p));
        return raw;
    }
};
