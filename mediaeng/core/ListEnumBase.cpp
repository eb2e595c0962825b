#include "engine/ListEnumBase.h"
#include "platform/ResourceLibrary.h"
#include <cstdlib>
#include <cwchar>

void CListEnumBase::AddItem(int32_t value, const wchar_t* text)
{
    auto item = std::make_unique<ListItem>();
    if (text) std::wcsncpy(item->text, text, std::size(item->text) - 1);
    item->value = value;
    m_items.push_back(std::move(item));
}

void CListEnumBase::AddItem(int32_t value, UINT nameId, int32_t descId)
{
    AddItem(value, LoadResString(nameId).c_str());
    m_items.back()->descId = descId;
}

int CListEnumBase::GetIndex(int32_t value) const
{
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i]->value == value) return static_cast<int>(i);
    return -1;
}

int CListEnumBase::GetIdW(const wchar_t* text) const
{
    if (!text) return -1;
    for (size_t i = 0; i < m_items.size(); ++i)
        if (std::wcscmp(m_items[i]->text, text) == 0) return static_cast<int>(i);
    return -1;
}

void CListEnumBase::Verify(int32_t* value) const
{
    if (!value || m_items.empty() || GetIndex(*value) >= 0) return;
    if (m_hasDefault && GetIndex(m_default) >= 0) {
        *value = m_default;
        return;
    }
    int32_t best = m_items.front()->value;
    for (const auto& item : m_items)
        if (std::llabs(int64_t{item->value} - *value) < std::llabs(int64_t{best} - *value)) best = item->value;
    *value = best;
}
