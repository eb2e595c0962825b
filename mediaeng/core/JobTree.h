#pragma once
// Builders of the job's settings tree (names and defaults: engine/JobTree.h).
#include "mediaeng/core/EngineObjects.h"

namespace mediaeng {

ComPtr<CEngineNode> MakeProfileNode();
ComPtr<CEngineNode> MakeFormatNode();
ComPtr<CEngineNode> MakeFilterItem(const std::wstring& name = L"Filter");
ComPtr<CEngineNode> MakeWatermarkItem(int kind);
void BuildWatermarkItem(CEngineNode& node, int kind);
// The properties every filter item carries.
void AddFilterProperties(CEngineNode& node);

}  // namespace mediaeng
