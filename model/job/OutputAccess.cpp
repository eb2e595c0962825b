// How the transfer reaches the project's output objects.
#include "model/job/ParametersTransfer.h"

CParametersObj* CParametersTransfer::OutputSettings(EOutputKind) { return nullptr; }
CParametersObj* CParametersTransfer::AdvancedSettings(EOutputKind) { return nullptr; }
void CParametersTransfer::TransferEditing(EOutputKind, IUnknown*) {}
