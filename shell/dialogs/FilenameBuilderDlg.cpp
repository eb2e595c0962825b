#include "shell/dialogs/FilenameBuilderDlg.h"

#include "controls/res/ResourceBridge.h"
#include "model/output/OutputIds.h"
#include "model/schema/PropertiesImpl.h"
#include "shell/dialogs/FieldValidators.h"
#include "shell/dialogs/FileNamePatternAdvDlg.h"
#include <wx/textctrl.h>

namespace {
struct Token {
    int id;
    const char* text;
};
constexpr Token kTokens[] = {{1016, "%i"}, {1017, "%u"}, {1018, "%f"}, {1019, "%n"}, {1020, "%e"}, {1021, "%p"}};
}  // namespace

CFilenameBuilderDlg::CFilenameBuilderDlg(wxWindow* parent, CPropertiesImpl& settings) : m_settings(settings)
{
    KM::Res::LoadDialog(*this, parent, kTemplateId);
    SetId(kTemplateId);
    if (CSchemaProperty* pattern = settings.FindProperty(OUTPUT_PROP_FILE_NAME))
        BindTextField(*this, 1015, pattern->StringValue());
    for (const Token& t : kTokens)
        Bind(wxEVT_BUTTON, [this, t](wxCommandEvent&) { InsertToken(t.text); }, t.id);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        CFileNamePatternAdvDlg advanced(this, m_settings);
        advanced.ShowModal();  // its OK has written the settings already
    }, 1022);
}

wxTextCtrl* CFilenameBuilderDlg::PatternEdit() const { return dynamic_cast<wxTextCtrl*>(FindWindow(1015)); }

void CFilenameBuilderDlg::InsertToken(const wxString& token)
{
    wxTextCtrl* edit = PatternEdit();
    if (!edit) return;
    long from = 0, to = 0;
    edit->GetSelection(&from, &to);
    edit->Replace(from, to, token);
    edit->SetInsertionPoint(from + static_cast<long>(token.length()));
}
