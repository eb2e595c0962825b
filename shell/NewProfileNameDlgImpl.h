#pragma once
// The new-profile-name question (template 514: one text field, 515) for the
// profile list; a plain text-entry dialog when the template is missing.
#include "model/profile/NewProfileNameDlg.h"

class CNewProfileNameDlgImpl : public CNewProfileNameDlg {
public:
    static constexpr unsigned kTemplateId = 514;
    static constexpr int kNameField = 515;
    int DoModal() override;
};
