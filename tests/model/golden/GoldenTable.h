#pragma once
// Golden tables of what the ".km" layout and the settings grid depend on: one
// row per registered key or schema property, rendered as text and compared
// whole, so a moved key, a changed default or flag fails with the row named.
#include "model/config/ConfigMng.h"
#include "model/schema/PropertiesImpl.h"

#include <gtest/gtest.h>
#include <initializer_list>
#include <string>
#include <vector>

namespace golden {

constexpr DWORD kInt = CONFIG_TYPE_INT;
constexpr DWORD kText = CONFIG_TYPE_STRING;

// A registered key: short name, parameter type, profile flag, value after
// construction (decimal for integers, the text itself for strings).
struct KeyRow {
    const wchar_t* key;
    DWORD type;
    DWORD flag;
    const wchar_t* value;
};
using KeyTable = std::vector<KeyRow>;

inline KeyTable Join(std::initializer_list<KeyTable> parts)
{
    KeyTable all;
    for (const KeyTable& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

// The value a bound member holds now, as a table writes it.
inline std::wstring ValueText(DWORD type, const void* member)
{
    switch (type) {
    case CONFIG_TYPE_INT: return std::to_wstring(*static_cast<const int32_t*>(member));
    case CONFIG_TYPE_INT64: return std::to_wstring(*static_cast<const int64_t*>(member));
    case CONFIG_TYPE_STRING: return *static_cast<const std::wstring*>(member);
    default: return L"?";
    }
}

inline std::wstring RowText(const std::wstring& key, DWORD type, DWORD flag, const std::wstring& value)
{
    return key + L" type " + std::to_wstring(type) + L" flag " + std::to_wstring(flag) + L" = \"" + value + L"\"";
}

// The node's parameters as rows; prefix (with its dot) must begin every name
// and is left out.
inline std::vector<std::wstring> ActualKeys(const CConfigMng& node, const std::wstring& prefix)
{
    std::vector<std::wstring> rows;
    for (const ConfigParam& p : node.Params()) {
        std::wstring key = p.name;
        if (!prefix.empty()) {
            EXPECT_EQ(key.rfind(prefix + L".", 0), 0u) << "not under the prefix: " << testing::PrintToString(key);
            key = key.substr(prefix.size() + 1);
        }
        rows.push_back(RowText(key, p.type, p.flag, ValueText(p.type, p.member)));
    }
    return rows;
}

inline std::vector<std::wstring> ExpectedKeys(const KeyTable& table)
{
    std::vector<std::wstring> rows;
    for (const KeyRow& r : table) rows.push_back(RowText(r.key, r.type, r.flag, r.value));
    return rows;
}

// Row by row, so a failure names the first rows that differ rather than
// printing two long lists.
inline void ExpectSameRows(const std::vector<std::wstring>& expected, const std::vector<std::wstring>& actual)
{
    EXPECT_EQ(expected.size(), actual.size()) << "row count";
    int reported = 0;
    for (size_t i = 0; i < std::max(expected.size(), actual.size()) && reported < 8; ++i) {
        const std::wstring e = i < expected.size() ? expected[i] : L"(none)";
        const std::wstring a = i < actual.size() ? actual[i] : L"(none)";
        if (e == a) continue;
        ++reported;
        ADD_FAILURE() << "row " << i << "\n  expected: " << testing::PrintToString(e)
                      << "\n  actual:   " << testing::PrintToString(a);
    }
}

}  // namespace golden
