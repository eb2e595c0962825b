#include "shell/dialogs/ShellGridDialogs.h"

#include "shell/dialogs/FilenameBuilderDlg.h"
#include "shell/dialogs/JoinImageDlg.h"
#include "shell/dialogs/SizeDlg.h"

bool CShellGridDialogs::EditFrameSize(wxWindow* parent, FrameSizeText& size)
{
    CSizeDlg dialog(parent);
    if (size.kind == FrameSizeText::Percent) {
        dialog.m_mode = CSizeDlg::kPercent;
        dialog.m_percent = size.value;
    } else {
        dialog.m_mode = CSizeDlg::kAbsolute;
        dialog.m_width = size.width;
        dialog.m_height = size.height;
    }
    if (dialog.ShowModal() != wxID_OK) return false;
    if (dialog.m_mode == CSizeDlg::kPercent) {
        size.kind = FrameSizeText::Percent;
        size.value = dialog.m_percent;
    } else {
        size.kind = FrameSizeText::Size;
        size.width = dialog.m_width;
        size.height = dialog.m_height;
    }
    return true;
}

bool CShellGridDialogs::EditJoinImages(wxWindow* parent, CPropertiesImpl& tree)
{
    CJoinImageDlg dialog(parent, tree);
    return dialog.ShowModal() == wxID_OK;
}

bool CShellGridDialogs::EditFileNamePattern(wxWindow* parent, CPropertiesImpl& tree)
{
    CFilenameBuilderDlg dialog(parent, tree);
    return dialog.ShowModal() == wxID_OK;
}
