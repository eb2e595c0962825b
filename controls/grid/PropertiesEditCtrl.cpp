#include "controls/grid/PropertiesEditCtrl.h"
#include <algorithm>

#include "controls/browse/FIO.h"
#include "controls/browse/FileFilters.h"
#include "controls/color/ColorPickerCtrl.h"
#include "controls/draw/FrameSizeText.h"
#include "controls/grid/GridDialogs.h"
#include "controls/grid/GridNotices.h"
#include "controls/grid/GridSpinEditor.h"
#include "controls/grid/GridValueText.h"
#include "controls/grid/PropertyGridProperty.h"
#include "controls/grid/PropertyValue.h"
#include "controls/ids/WindowMessages.h"
#include "controls/level/LevelEditCtrl.h"
#include "engine/AVCodecs.h"
#include "engine/ImageDefSizes.h"
#include "model/edit/FontCatalog.h"
#include "platform/Settings.h"
#include <wx/propgrid/advprops.h>

namespace {

// An option row whose value cell may carry the codec's settings button.
class CSettingsChoiceProperty : public wxEnumProperty {
public:
    CSettingsChoiceProperty(const wxString& label, const wxString& name, wxPGChoices& choices,
                            CPropertiesEditCtrl* grid)
        : wxEnumProperty(label, name, choices), m_grid(grid)
    {
    }
    bool OnEvent(wxPropertyGrid* grid, wxWindow* primary, wxEvent& event) override
    {
        if (event.GetEventType() == wxEVT_BUTTON) {
            if (CSchemaProperty* p = CPropertiesEditCtrl::RowProperty(this)) m_grid->OnSettingsButton(this, *p);
            return false;
        }
        return wxEnumProperty::OnEvent(grid, primary, event);
    }

private:
    CPropertiesEditCtrl* m_grid;
};

wxString RowName()
{
    static unsigned long counter = 0;
    return wxString::Format("r%lu", ++counter);
}

wxString Text(const std::wstring& s) { return wxString(s.c_str()); }

FontNamesSource SystemFonts()
{
    return [] { return GetFontCatalog().GetFaceNames(); };
}

}  // namespace

CPropertiesEditCtrl::CPropertiesEditCtrl() = default;

CPropertiesEditCtrl::CPropertiesEditCtrl(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size)
{
    Create(parent, id, pos, size);
}

bool CPropertiesEditCtrl::Create(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size)
{
    if (!wxPropertyGrid::Create(parent, id, pos, size, wxPG_DEFAULT_STYLE)) return false;
    Init();
    return true;
}

CPropertiesEditCtrl::~CPropertiesEditCtrl() = default;

void CPropertiesEditCtrl::Init()
{
    static bool registered = false;
    if (!registered) {
        wxPropertyGrid::RegisterAdditionalEditors();
        registered = true;
    }
    Bind(wxEVT_PG_CHANGED, &CPropertiesEditCtrl::OnChanged, this);
    Bind(wxEVT_TEXT, &CPropertiesEditCtrl::OnEditorText, this);
    Bind(wxEVT_SIZE, [this](wxSizeEvent& e) {
        e.Skip();
        CallAfter([this] { FitNameColumn(); });
    });
    // The log's clear message asks every window; a grid answers 0.
    Bind(EVT_KM_LOG_CLEAR, [](KM::CWindowMessageEvent& e) { e.SetResult(0); });
}

wxEvtHandler* CPropertiesEditCtrl::Owner() const
{
    return m_owner ? m_owner : static_cast<wxEvtHandler*>(GetParent());
}

CSchemaProperty* CPropertiesEditCtrl::RowProperty(const wxPGProperty* row)
{
    return row ? static_cast<CSchemaProperty*>(row->GetClientData()) : nullptr;
}

wxPGProperty* CPropertiesEditCtrl::FindRow(const CSchemaProperty* property) const
{
    if (!property) return nullptr;
    for (wxPropertyGridConstIterator it = GetIterator(wxPG_ITERATE_ALL); !it.AtEnd(); ++it)
        if (RowProperty(*it) == property) return const_cast<wxPGProperty*>(*it);
    return nullptr;
}

void CPropertiesEditCtrl::ShowFieldValue(wxPGProperty* row, const CSchemaProperty& p)
{
    const int32_t* i = p.IntValue();
    if (auto* b = dynamic_cast<wxBoolProperty*>(row)) {
        b->SetValue(wxVariant(i && *i != 0));
    } else if (auto* n = dynamic_cast<wxIntProperty*>(row)) {
        n->SetValue(wxVariant(static_cast<long>(i ? *i : 0)));
    } else if (dynamic_cast<wxEditEnumProperty*>(row)) {
        row->SetValue(wxVariant(Text(FormatPropertyText(p))));
    } else if (auto* e = dynamic_cast<wxEnumProperty*>(row)) {
        const int index = e->GetChoices().Index(Text(FormatPropertyText(p)));
        if (index >= 0)
            e->SetChoiceSelection(index);
        else
            e->SetValueToUnspecified();
    } else if (row->GetChildCount() == 0) {
        row->SetValue(wxVariant(Text(FormatPropertyText(p))));
    }
}

std::optional<CVariant> CPropertiesEditCtrl::RowValue(wxPGProperty* row, const CSchemaProperty& p)
{
    if (dynamic_cast<wxBoolProperty*>(row)) return CVariant(static_cast<int32_t>(row->GetValue().GetBool() ? 1 : 0));
    if (dynamic_cast<wxIntProperty*>(row)) {
        const long v = row->GetValue().GetLong();
        if (p.minimum <= p.maximum && (p.flags & SPF_SPIN) && (v < p.minimum || v > p.maximum)) return std::nullopt;
        return CVariant(static_cast<int32_t>(v));
    }
    return TextToValue(p, row->GetValueAsString().ToStdWstring());
}

wxPGProperty* CPropertiesEditCtrl::MakeValueRow(const GridRowPlan& plan)
{
    CSchemaProperty& p = *plan.property;
    const GridRowTraits& t = plan.traits;
    const wxString label = Text(p.name);
    wxPGProperty* row = nullptr;
    if (p.flags & SPF_SWITCH) {
        row = new wxBoolProperty(label, RowName());
        row->SetAttribute(wxPG_BOOL_USE_CHECKBOX, true);
    } else if (t.spin && p.IntValue()) {
        row = new wxIntProperty(label, RowName());
        row->SetEditor(CGridSpinEditor::Get());
        row->SetAttribute(wxPG_ATTR_MIN, static_cast<long>(t.spinMin));
        row->SetAttribute(wxPG_ATTR_MAX, static_cast<long>(t.spinMax));
    } else if (t.dropButton || t.browseButton) {
        row = new CPropertyGridProperty(label, &p, this);
        row->SetName(RowName());
        row->SetEditor(wxPGEditor_TextCtrlAndButton);
    } else if (!t.options.empty()) {
        wxPGChoices choices;
        for (const std::wstring& o : t.options) choices.Add(Text(o));
        if (t.noTyping || t.settingsButton) {
            row = new CSettingsChoiceProperty(label, RowName(), choices, this);
            if (t.settingsButton) row->SetEditor(wxPGEditor_ChoiceAndButton);
        } else {
            row = new wxEditEnumProperty(label, RowName(), choices);
        }
    } else {
        row = new wxStringProperty(label, RowName());
        if (t.noTyping) row->ChangeFlag(wxPG_PROP_READONLY, true);
    }
    row->SetClientData(&p);
    ShowFieldValue(row, p);
    return row;
}

void CPropertiesEditCtrl::AddRow(wxPGProperty* parent, const GridRowPlan& plan)
{
    wxPGProperty* row;
    if (plan.composite) {
        row = new wxStringProperty(Text(plan.property->name), RowName(), wxS("<composed>"));
        row->SetClientData(plan.property);
        AppendIn(parent, row);
        row->ChangeFlag(wxPG_PROP_READONLY, true);
        for (const GridRowPlan& child : plan.children) {
            wxPGProperty* c = AppendIn(row, MakeValueRow(child));
            if (child.readOnly) EnableProperty(c, false);
        }
    } else {
        row = AppendIn(parent, MakeValueRow(plan));
    }
    if (plan.readOnly) EnableProperty(row, false);
}

void CPropertiesEditCtrl::BuildRowsFromParameterTree(CPropertiesImpl* tree, void* context, bool editable)
{
    m_tree = tree;
    m_context = context;
    if (GetSelection()) {
        EditorsValueWasNotModified();  // end the in-place edit without committing it
        ClearSelection(false);
    }
    Freeze();
    Clear();
    if (tree) {
        tree->UpdateStates();
        for (const GridGroupPlan& g : PlanGridRows(*tree, editable, SystemFonts())) {
            wxPGProperty* category = Append(new wxPropertyCategory(Text(g.group->name), RowName()));
            for (const GridRowPlan& row : g.rows) AddRow(category, row);
        }
    }
    Thaw();
    FitNameColumn();
}

void CPropertiesEditCtrl::Rebuild(bool commitEdit)
{
    if (commitEdit && GetSelection() && IsEditorsValueModified()) CommitChangesFromEditor();
    const CSchemaProperty* selected = RowProperty(GetSelection());
    m_rebuilding = true;
    BuildRowsFromParameterTree(m_tree, m_context, true);
    m_rebuilding = false;
    if (wxPGProperty* row = FindRow(selected)) SelectProperty(row, false);
    FitNameColumn();
}

void CPropertiesEditCtrl::FitNameColumn()
{
    const int width = GetClientSize().x;
    if (width <= 0 || GetRoot()->GetChildCount() == 0) return;
    SetSplitterLeft(true);
    const int fit = GetSplitterPosition() + 4;
    // The names whole where the values keep a third of the width.
    SetSplitterPosition(std::clamp(fit, width * 35 / 100, width * 66 / 100));
}

void CPropertiesEditCtrl::RefreshValues()
{
    wxPGProperty* selected = GetSelection();
    for (wxPropertyGridIterator it = GetIterator(wxPG_ITERATE_ALL); !it.AtEnd(); ++it)
        if (CSchemaProperty* p = RowProperty(*it)) ShowFieldValue(*it, *p);
    if (selected) {
        // The open editor now shows the field's value; its old text must not
        // be committed over the new value later.
        RefreshEditor();
        EditorsValueWasNotModified();
    }
    Refresh();
}

void CPropertiesEditCtrl::Notify(const CSchemaProperty* property, wxPGProperty* row, bool hasContext)
{
    for (const GridNotice& n : ChangeNotices(property, hasContext))
        KM::SendWindowMessage(Owner(), n.message, n.wParam, reinterpret_cast<intptr_t>(row));
}

void CPropertiesEditCtrl::OnChanged(wxPropertyGridEvent& event)
{
    if (wxPGProperty* row = event.GetProperty()) OnPropertyChanged(row);
}

void CPropertiesEditCtrl::OnPropertyChanged(wxPGProperty* row)
{
    if (m_rebuilding || !row) return;
    CSchemaProperty* p = RowProperty(row);
    if (!p) {
        Notify(nullptr, row, false);
        return;
    }
    if (p->nestedGroup) {  // the composite text changed its children
        Notify(p, row, m_context != nullptr);
        return;
    }
    if ((p->flags & SPF_FRAME_SIZE) && p->StringValue() && !m_sizeDialogOpen) {
        const wxString text = row->GetValueAsString();
        CImageDefSizes sizes(1);
        const int index = sizes.GetIdW(text.ToStdWstring().c_str());
        if (index >= 0 && sizes.IsCustom(static_cast<size_t>(index))) {
            CommitFrameSize(row, *p, Text(*p->StringValue()));
            return;
        }
    }
    const std::optional<CVariant> value = RowValue(row, *p);
    if (!value) {  // no value for this row: show the field again
        ShowFieldValue(row, *p);
        return;
    }
    WritePropertyValue(*value, *p);
    Notify(p, row, m_context != nullptr);
}

void CPropertiesEditCtrl::CommitFrameSize(wxPGProperty* row, const CSchemaProperty& property, const wxString& previous)
{
    IGridDialogs* dialogs = GetGridDialogs();
    FrameSizeText size = ParseFrameSizeText(previous.ToStdWstring());
    m_sizeDialogOpen = true;
    const bool ok = dialogs && dialogs->EditFrameSize(this, size);
    m_sizeDialogOpen = false;
    if (!ok) {  // cancelled: the row shows the previous text, the field never changed
        ShowFieldValue(row, property);
        return;
    }
    const wxString text = size.kind == FrameSizeText::Percent ? wxString::Format("%d%%", size.value)
                                                              : wxString::Format("%d x %d", size.width, size.height);
    row->SetValue(wxVariant(text));
    OnPropertyChanged(row);
    RefreshProperty(row);
}

void CPropertiesEditCtrl::OnEditorText(wxCommandEvent& event)
{
    event.Skip();
    wxPGProperty* row = GetSelection();
    CSchemaProperty* p = RowProperty(row);
    if (m_rebuilding || !p || !(p->flags & SPF_SPIN) || !p->IntValue()) return;
    const auto value = SpinTextValue(*p, event.GetString().ToStdWstring(), *p->IntValue());
    if (!value) return;
    // Every typed digit takes effect at once; the editor keeps its caret.
    row->SetValue(wxVariant(static_cast<long>(*value)), nullptr, 0);
    OnPropertyChanged(row);
}

void CPropertiesEditCtrl::OnSettingsButton(wxPGProperty* row, CSchemaProperty& property)
{
    auto codecs = std::dynamic_pointer_cast<CVideoCodecsBase>(property.optionSource);
    if (!codecs || !property.buttonEnabled) return;
    const int index = codecs->GetIdW(row->GetValueAsString().ToStdWstring().c_str());
    codecs->ShowDialog(index, this);
    OnPropertyChanged(row);
}

void CPropertiesEditCtrl::OnClickButton(CPropertyGridProperty& row)
{
    CSchemaProperty& p = *row.Schema();
    const auto setText = [&](const wxString& text) {
        row.SetValue(wxVariant(text));
        OnPropertyChanged(&row);
        RefreshProperty(&row);
    };
    if (p.flags & SPF_BUTTON) {
        switch (p.buttonKind) {
        case SPB_MEDIA_FILE:
        case SPB_IMAGE_FILE:
        case SPB_AUDIO_FILE: {
            std::wstring path = row.GetValueAsString().ToStdWstring();
            if (CFIO::OpenMediaFile(FilterForButton(p.buttonKind), path, this)) setText(Text(path));
            return;
        }
        case SPB_FOLDER: {
            std::wstring path = row.GetValueAsString().ToStdWstring();
            if (path.empty()) path = CSettingsStore::Instance().GetString(L"Settings", L"DefDir", L"");
            if (CFIO::BrowseForFolder(path, this) == 1) {
                CSettingsStore::Instance().SetString(L"Settings", L"DefDir", path);
                setText(Text(path));
            }
            return;
        }
        case SPB_JOIN_IMAGES: {
            IGridDialogs* dialogs = GetGridDialogs();
            if (m_tree && dialogs && dialogs->EditJoinImages(this, *m_tree))
                if (CSchemaProperty* joined = m_tree->FindProperty(40))
                    setText(Text(FormatPropertyText(*joined)));
            return;
        }
        case SPB_FILE_NAME_BUILDER: {
            IGridDialogs* dialogs = GetGridDialogs();
            if (m_tree && dialogs && dialogs->EditFileNamePattern(this, *m_tree))
                if (CSchemaProperty* pattern = m_tree->FindProperty(13))
                    if (const std::wstring* s = pattern->StringValue()) setText(Text(*s));
            return;
        }
        default: break;
        }
    }
    // Pop-ups open under the row's value cell.
    const wxRect rowRect = GetPropertyRect(&row, &row);
    const wxRect anchor(GetSplitterPosition() + 1, rowRect.y, rowRect.GetRight() - GetSplitterPosition(), rowRect.height);
    if (p.flags & SPF_DROPDOWN) {
        CLevelEditCtrl& popup = row.EnsureLevelPopup(this);
        if (popup.IsShown()) {
            popup.HidePopup();
            return;
        }
        popup.Slider().SetCallback(&row);
        popup.ShowPopup(anchor, POPUP_BELOW);
        popup.Slider().SetLevelText(row.GetValueAsString().ToStdWstring());
    } else if (p.flags & SPF_COLOR) {
        CColorPickerCtrl& popup = row.EnsureColorPopup(this);
        if (popup.IsShown()) {
            popup.HidePopup();
            return;
        }
        const int32_t* color = p.IntValue();
        popup.ShowPopup(anchor, POPUP_BELOW);
        popup.Picker().SetColor(color ? static_cast<COLORREF>(*color) & 0xFFFFFF : 0);
        popup.Picker().SetCallback(&row);
        popup.Picker().SetFocus();
    }
}
