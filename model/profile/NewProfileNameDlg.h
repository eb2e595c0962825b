#pragma once
// The dialog that asks for the name of a new output profile. The shell
// provides it (a modal dialog with one text field); the profile list only
// sets the proposed name, shows it and reads the name back.
#include <string>

class CNewProfileNameDlg {
public:
    static constexpr int kIdOk = 1;

    virtual ~CNewProfileNameDlg() = default;
    // Shows the dialog with m_name in its field; kIdOk when the user confirmed,
    // in which case m_name holds the typed name.
    virtual int DoModal() = 0;

    std::wstring m_name;
};
