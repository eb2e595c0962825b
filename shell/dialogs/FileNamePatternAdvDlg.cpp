#include "shell/dialogs/FileNamePatternAdvDlg.h"

#include "controls/res/ResourceBridge.h"
#include "model/output/OutputIds.h"
#include "model/schema/PropertiesImpl.h"
#include "shell/dialogs/FieldValidators.h"
#include "shell/dialogs/PatternAdvRules.h"
#include <wx/spinbutt.h>
#include <wx/textctrl.h>

namespace {
int32_t* IntField(CPropertiesImpl& s, int32_t id)
{
    CSchemaProperty* p = s.FindProperty(id);
    return p ? p->IntValue() : nullptr;
}
std::wstring* TextField(CPropertiesImpl& s, int32_t id)
{
    CSchemaProperty* p = s.FindProperty(id);
    return p ? p->StringValue() : nullptr;
}
}  // namespace

CFileNamePatternAdvDlg::CFileNamePatternAdvDlg(wxWindow* parent, CPropertiesImpl& settings) : m_settings(settings)
{
    KM::Res::LoadDialog(*this, parent, kTemplateId);
    SetId(kTemplateId);
    BindIntField(*this, 1017, IntField(settings, OUTPUT_PROP_NAME_CASE));
    BindIntField(*this, 1018, IntField(settings, OUTPUT_PROP_EXT_CASE));
    BindTextField(*this, 1124, TextField(settings, OUTPUT_PROP_NUM_FORMAT));
    BindIntField(*this, 1126, IntField(settings, OUTPUT_PROP_ST_WITH));
    BindIntField(*this, 1127, IntField(settings, OUTPUT_PROP_INCREMENT));
    BindIntField(*this, 1019, IntField(settings, OUTPUT_PROP_WEBSAFE));
    BindIntField(*this, 1020, IntField(settings, OUTPUT_PROP_FORMATDEPEXT));
    BindTextField(*this, 1192, TextField(settings, OUTPUT_PROP_DUPFORMAT));
    for (int spin : {1501, 11457}) {
        if (auto* s = dynamic_cast<wxSpinButton*>(FindWindow(spin))) {
            s->SetRange(0, 1000);
            s->SetValue(500);  // the buttons only report steps; the edit holds the number
        }
        Bind(wxEVT_SPIN_UP, [this, spin](wxSpinEvent& e) {
            SpinStep(spin, 1);
            e.Veto();
        }, spin);
        Bind(wxEVT_SPIN_DOWN, [this, spin](wxSpinEvent& e) {
            SpinStep(spin, -1);
            e.Veto();
        }, spin);
    }
    for (int edit : {1126, 1127})
        if (wxWindow* w = FindWindow(edit))
            w->Bind(wxEVT_KEY_DOWN, [this, edit](wxKeyEvent& e) {
                const int key = e.GetKeyCode();
                if ((key == WXK_UP || key == WXK_DOWN) && KeyStep(edit, key == WXK_UP)) return;
                e.Skip();
            });
}

void CFileNamePatternAdvDlg::SpinStep(int spinId, int delta)
{
    auto* edit = dynamic_cast<wxTextCtrl*>(FindWindow(spinId == 1501 ? 1126 : 1127));
    if (!edit) return;
    edit->ChangeValue(PatternSpinStep(edit->GetValue().ToStdWstring(), delta));
}

bool CFileNamePatternAdvDlg::KeyStep(int editId, bool up)
{
    const int32_t id = editId == 1126 ? OUTPUT_PROP_ST_WITH : editId == 1127 ? OUTPUT_PROP_INCREMENT : 0;
    int32_t* field = id ? IntField(m_settings, id) : nullptr;
    if (!field) return false;
    TransferDataFromWindow();
    *field = PatternKeyStep(*field, up, id == OUTPUT_PROP_ST_WITH ? 0 : 1);
    TransferDataToWindow();
    return true;
}
