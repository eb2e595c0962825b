#pragma once
// Writing single named values into engine objects. A write that finds no such
// property, or that the engine refuses, is skipped without a report.
#include "engine/EngineNode.h"
#include <cstdint>
#include <string>

// Each returns the property object written to (null when there is none).
ComPtr<IEngineProperty> EngineWriteInt(IUnknown* node, const wchar_t* name, int32_t value);
ComPtr<IEngineProperty> EngineWriteDouble(IUnknown* node, const wchar_t* name, double value);
ComPtr<IEngineProperty> EngineWriteText(IUnknown* node, const wchar_t* name, const std::wstring& value);
