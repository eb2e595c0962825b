#include "controls/grid/PropertiesCtrl.h"

#include "controls/grid/GridNotices.h"
#include "controls/grid/PropertyValue.h"
#include "controls/grid/SourceFactText.h"
#include "controls/res/ResourceBridge.h"
#include "controls/ids/WindowMessages.h"
#include "engine/EngineNode.h"
#include "model/source/KMFile.h"
#include "platform/Variant.h"

namespace {

wxString TakeBstr(BSTR b)
{
    wxString s = b ? wxString(b) : wxString();
    SysFreeString(b);
    return s;
}

template <class T>
wxString Read(T* object, HRESULT (T::*get)(BSTR*))
{
    BSTR b = nullptr;
    if (!object || FAILED((object->*get)(&b))) {
        SysFreeString(b);
        return wxString();
    }
    return TakeBstr(b);
}

wxString RowName()
{
    static unsigned long counter = 0;
    return wxString::Format("s%lu", ++counter);
}

}  // namespace

CPropertiesCtrl::CPropertiesCtrl(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size)
    : wxPropertyGrid(parent, id, pos, size, wxPG_DEFAULT_STYLE | wxPG_SPLITTER_AUTO_CENTER)
{
    Bind(wxEVT_PG_CHANGED, [this](wxPropertyGridEvent& e) { OnPropertyChanged(e.GetProperty()); });
}

CPropertiesCtrl::~CPropertiesCtrl() { Clear(); }

void CPropertiesCtrl::ClearRows()
{
    if (GetSelection()) {
        EditorsValueWasNotModified();
        ClearSelection(false);
    }
    Clear();
    m_records.clear();
}

void CPropertiesCtrl::SetSource(CKMFile* source)
{
    Freeze();
    ClearRows();
    m_source = source;
    if (source && !source->m_openError.empty()) {
        AddOpenError(source->m_openError);
    } else if (source && source->CurrentSource()) {
        ComPtr<IPropertyContainer> container;
        if (source->GetPropertyContainer(container.ReleaseAndGetAddressOf()) == S_OK && container)
            BuildRowsFromPropertySet(container.Get(), nullptr);
    }
    Thaw();
}

// In place of the facts: the file cannot be read, and why.
void CPropertiesCtrl::AddOpenError(const std::wstring& reason)
{
    wxPGProperty* category = Append(new wxPropertyCategory(KM::Res::LoadString(kCannotBeRead), RowName()));
    wxPGProperty* row = AppendIn(category, new wxLongStringProperty(KM::Res::LoadString(kWhy), RowName(), reason));
    row->ChangeFlag(wxPG_PROP_READONLY, true);
    SetPropertyHelpString(row, reason);
}

void CPropertiesCtrl::BuildRowsFromPropertySet(IPropertyContainer* collection, wxPGProperty* parent)
{
    LONG count = 0;
    if (!collection || FAILED(collection->GetCount(&count))) return;
    for (LONG i = 0; i < count; ++i) {
        ComPtr<IUnknown> item;
        if (FAILED(collection->GetAt(i, item.ReleaseAndGetAddressOf())) || !item) continue;
        if (ComPtr<IPropertyContainer> category = item.As<IPropertyContainer>()) AddCategory(category.Get(), parent);
    }
}

void CPropertiesCtrl::AddCategory(IPropertyContainer* category, wxPGProperty* parent)
{
    const wxString name = FactLabel(Read(category, &IPropertyContainer::GetName).ToStdWstring());
    wxPGProperty* row = parent ? static_cast<wxPGProperty*>(new wxStringProperty(name, RowName(), wxS("<composed>")))
                               : new wxPropertyCategory(name, RowName());
    row = parent ? AppendIn(parent, row) : Append(row);
    row->ChangeFlag(wxPG_PROP_READONLY, true);
    LONG children = 0;
    if (FAILED(category->GetCount(&children))) return;
    for (LONG c = 0; c < children; ++c) {
        ComPtr<IUnknown> child;
        if (FAILED(category->GetAt(c, child.ReleaseAndGetAddressOf())) || !child) continue;
        if (child.As<IEngineValue>())
            AddFact(child.Get(), row);
        else if (ComPtr<IPropertyContainer> nested = child.As<IPropertyContainer>())
            AddCategory(nested.Get(), row);  // a category in a category: a child row
    }
}

void CPropertiesCtrl::AddFact(IUnknown* item, wxPGProperty* category)
{
    ComPtr<IEngineValue> value = ComPtr<IUnknown>(item).As<IEngineValue>();
    DWORD flags = 0;
    value->GetFlags(&flags);
    ComPtr<IUnknown> linked;
    value->GetLinkedObject(linked.ReleaseAndGetAddressOf());
    ComPtr<IEngineProperty> settings = linked.As<IEngineProperty>();
    const std::wstring key = Read(value.Get(), &IEngineValue::GetName).ToStdWstring();
    const wxString name = FactLabel(key);
    if (!(flags & EPF_SWITCH)) {
        const wxString raw = settings ? Read(settings.Get(), &IEngineProperty::GetDisplayText)
                                      : Read(value.Get(), &IEngineValue::GetDisplayText);
        // Linked settings show their own text; the facts read as a user reads them.
        const wxString text = settings ? raw : wxString(FactValue(key, raw.ToStdWstring()));
        wxPGProperty* row = AppendIn(category, new wxStringProperty(name, RowName(), text));
        row->SetHelpString(Read(value.Get(), &IEngineValue::GetDescription));
        row->ChangeFlag(wxPG_PROP_READONLY, true);
        return;
    }
    auto record = std::make_unique<CSchemaProperty>();
    record->name = name.ToStdWstring();
    record->type = SCHEMA_TYPE_INT;
    record->flags = SPF_SWITCH;
    record->engineBacked = 1;
    record->engineProperty = settings ? ComPtr<IUnknown>(static_cast<IUnknown*>(settings.Get())) : ComPtr<IUnknown>();
    record->sourceEntry = m_source;
    record->keyPrefix = (settings ? Read(settings.Get(), &IEngineProperty::GetSettingsKey)
                                  : Read(value.Get(), &IEngineValue::GetSettingsKey)).ToStdWstring();
    void* member = nullptr;
    if (m_source) m_source->FindParam(record->keyPrefix, &member);
    if (!member) return;  // no stored setting behind the switch: nothing to show or write
    record->value = member;
    // The engine starts from the stored setting.
    if (settings) settings->SetValue(::GetPropertyValue(*record));
    auto* row = new wxBoolProperty(name, RowName(), *record->IntValue() != 0);
    row->SetAttribute(wxPG_BOOL_USE_CHECKBOX, true);
    row->SetClientData(record.get());
    AppendIn(category, row);
    m_records.push_back(std::move(record));
}

void CPropertiesCtrl::OnPropertyChanged(wxPGProperty* row)
{
    auto* record = row ? static_cast<CSchemaProperty*>(row->GetClientData()) : nullptr;
    if (!record) return;
    WritePropertyValue(CVariant(static_cast<int32_t>(row->GetValue().GetBool() ? 1 : 0)), *record);
    wxEvtHandler* owner = m_owner ? m_owner : static_cast<wxEvtHandler*>(GetParent());
    for (const GridNotice& n : ChangeNotices(record, false))
        KM::SendWindowMessage(owner, n.message, n.wParam, reinterpret_cast<intptr_t>(row));
}
