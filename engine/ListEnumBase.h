#pragma once
// Option lists of the engine: an ordered vector of items (text and value)
// that the settings grids copy into their options.
#include "platform/Types.h"
#include <cstdint>
#include <memory>
#include <vector>

struct ListItem {
    wchar_t text[128]{};   // NUL-terminated, cut to 127 characters
    int32_t value = 0;
    int32_t descId = -1;   // string id of a description, -1 for none
};

class CListEnumBase {
public:
    CListEnumBase() = default;
    virtual ~CListEnumBase() = default;
    CListEnumBase(const CListEnumBase&) = delete;
    CListEnumBase& operator=(const CListEnumBase&) = delete;

    void AddItem(int32_t value, const wchar_t* text);
    // Text from the resource library's string nameId.
    void AddItem(int32_t value, UINT nameId, int32_t descId);
    // Index of the first item with the value, -1 when none.
    int GetIndex(int32_t value) const;
    // Index of the first item whose text equals text exactly, -1 when none.
    virtual int GetIdW(const wchar_t* text) const;
    // Replaces a value the list does not hold by the list's default value
    // (when set and held), else by the held value nearest to it.
    void Verify(int32_t* value) const;
    void SetDefaultValue(int32_t value) { m_default = value; m_hasDefault = true; }

    size_t GetCount() const { return m_items.size(); }
    const ListItem& GetItem(size_t index) const { return *m_items[index]; }
    void Clear() { m_items.clear(); }

    std::vector<std::unique_ptr<ListItem>> m_items;

private:
    int32_t m_default = 0;
    bool m_hasDefault = false;
};
