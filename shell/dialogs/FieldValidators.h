#pragma once
// Validators that bind a dialog control to a settings field the way the small
// dialogs exchange data: an integer with a text box (decimal), a check box
// (0 or 1) or a choice (selected index); a text with a text box. A text that
// is no number keeps the dialog open and leaves the field as it was.
#include <cstdint>
#include <string>
#include <wx/validate.h>

class CIntFieldValidator : public wxValidator {
public:
    explicit CIntFieldValidator(int32_t* field) : m_field(field) {}
    wxObject* Clone() const override { return new CIntFieldValidator(*this); }
    bool TransferToWindow() override;
    bool TransferFromWindow() override;
    bool Validate(wxWindow* parent) override;

private:
    bool Read(int32_t* out) const;
    int32_t* m_field;  // not owned
};

class CTextFieldValidator : public wxValidator {
public:
    explicit CTextFieldValidator(std::wstring* field) : m_field(field) {}
    wxObject* Clone() const override { return new CTextFieldValidator(*this); }
    bool TransferToWindow() override;
    bool TransferFromWindow() override;
    bool Validate(wxWindow*) override { return true; }

private:
    std::wstring* m_field;  // not owned
};

// Binds the control with id in dialog to field; false when either is missing.
bool BindIntField(wxWindow& dialog, int id, int32_t* field);
bool BindTextField(wxWindow& dialog, int id, std::wstring* field);
