#pragma once
// Small trees that stand in for the project and its lists in the ".km" tests.
#include "model/config/ConfigFileHeader.h"
#include "model/config/ConfigMng.h"
#include <memory>
#include <vector>

// One list entry: an integer and a string.
class CTestItem : public CConfigMng {
public:
    CTestItem()
    {
        AddParam(this, L"value", CONFIG_TYPE_INT, &value, 0);
        AddParam(this, L"name", CONFIG_TYPE_STRING, &name, 0);
    }
    int32_t value = 0;
    std::wstring name = L"unnamed";
};

// A container whose items are CTestItem.
class CTestList : public CConfigMng {
public:
    DWORD GetCount() override { return static_cast<DWORD>(items.size()); }
    CConfigMng* GetAt(DWORD i) override { return i < items.size() ? items[i].get() : nullptr; }
    CConfigMng* CreateItem() override
    {
        items.push_back(std::make_unique<CTestItem>());
        return items.back().get();
    }
    std::vector<std::unique_ptr<CTestItem>> items;
};

// The project stand-in: writes and checks the file header.
class CTestProject : public CConfigMng {
public:
    CTestProject()
    {
        AddParam(this, L"count", CONFIG_TYPE_INT, &count, 1);
        AddPrefixedParam(this, L"title", L"video", CONFIG_TYPE_STRING, &title, 1);
        AddParam(this, L"start", CONFIG_TYPE_INT64, &start, 1);
        AddGroup(this, 5, &list);
    }
    HRESULT WriteHeader(CArchive& a) override { return WriteConfigFileHeader(a); }
    HRESULT ReadHeader(CArchive& a) override { return ReadConfigFileHeader(a); }

    int32_t count = 42;
    std::wstring title = L"*.*";
    int64_t start = -1;
    CTestList list;
};
