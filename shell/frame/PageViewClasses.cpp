#include "shell/frame/PageViewClasses.h"
#include "shell/views/ConvertView.h"
#include "shell/views/EditingView.h"
#include "shell/views/HelpView.h"
#include "shell/views/OutputView.h"
#include "shell/views/SourceTypeDVDView.h"
#include "shell/views/SourceTypeFileView.h"
#include "shell/views/SourceTypeFolderViewFiles.h"
#include "shell/views/SourceTypeFileViewPreview.h"
#include "shell/views/SourceTypeFileViewProperties.h"
#include <memory>

namespace {

// Makes a view of class T and creates it; null (and nothing left behind)
// when the window cannot be made.
template <class T, class... Args>
wxWindow* MakeView(wxWindow* parent, Args&&... args)
{
    auto view = std::make_unique<T>(std::forward<Args>(args)...);
    if (!view->Create(parent, wxID_ANY))
        return nullptr;
    return view.release();  // the parent window owns it now
}

}  // namespace

wxWindow* CreateSourceTypeFileView(wxWindow* parent) { return MakeView<CSourceTypeFileView>(parent); }
wxWindow* CreateSourceTypeFolderViewFiles(wxWindow* parent) { return MakeView<CSourceTypeFolderViewFiles>(parent); }
wxWindow* CreateSourceTypeDVDView(wxWindow* parent) { return MakeView<CSourceTypeDVDView>(parent); }
wxWindow* CreateSourceTypeFileViewProperties(wxWindow* parent)
{
    return MakeView<CSourceTypeFileViewProperties>(parent);
}
wxWindow* CreateSourceTypeFileViewPreview(wxWindow* parent) { return MakeView<CSourceTypeFileViewPreview>(parent); }
wxWindow* CreateOutputView(wxWindow* parent) { return MakeView<COutputView>(parent); }
wxWindow* CreateConvertView(wxWindow* parent) { return MakeView<CConvertView>(parent); }
wxWindow* CreateEditingView(wxWindow* parent) { return MakeView<CEditingView>(parent); }

wxWindow* CreateHelpView(wxWindow* parent)
{
    auto* view = new CHelpView(parent);  // a child: the parent owns it
    view->LoadNewsPage();
    return view;
}
