#include "shell/dialogs/JoinImageDlg.h"

#include "controls/res/ResourceBridge.h"
#include "model/output/OutputIds.h"
#include "model/schema/PropertiesImpl.h"
#include "shell/dialogs/FieldValidators.h"

namespace {
int32_t* IntField(CPropertiesImpl& s, int32_t id)
{
    CSchemaProperty* p = s.FindProperty(id);
    return p ? p->IntValue() : nullptr;
}
}  // namespace

CJoinImageDlg::CJoinImageDlg(wxWindow* parent, CPropertiesImpl& settings) : m_settings(settings)
{
    KM::Res::LoadDialog(*this, parent, kTemplateId);
    SetId(kTemplateId);
    BindIntField(*this, 1012, IntField(settings, OUTPUT_PROP_IMAGES_ROWS));
    BindIntField(*this, 1013, IntField(settings, OUTPUT_PROP_IMAGES_COLS));
    BindIntField(*this, 1014, IntField(settings, OUTPUT_PROP_JOIN_IMAGES));
    Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) {
        if (wxWindow* box = FindWindow(1014); box && box->GetValidator()) box->GetValidator()->TransferFromWindow();
        UpdateEnables();
    }, 1014);
}

bool CJoinImageDlg::TransferDataToWindow()
{
    const bool ok = wxDialog::TransferDataToWindow();
    UpdateEnables();
    return ok;
}

void CJoinImageDlg::UpdateEnables()
{
    const int32_t* join = IntField(m_settings, OUTPUT_PROP_JOIN_IMAGES);
    for (int id : {1012, 1013})
        if (wxWindow* w = FindWindow(id)) w->Enable(join && *join != 0);
}
