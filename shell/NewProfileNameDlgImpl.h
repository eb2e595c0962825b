#pragma once
// The new-profile-name question (template 514: a prompt and the name field
// 515, preset with the proposed name) for the profile list.
#include "model/profile/NewProfileNameDlg.h"

class CNewProfileNameDlgImpl : public CNewProfileNameDlg {
public:
    static constexpr unsigned kTemplateId = 514;
    static constexpr int kNameField = 515;
    // kIdOk with the typed name; 0 on Cancel or when the template is missing.
    int DoModal() override;
};
