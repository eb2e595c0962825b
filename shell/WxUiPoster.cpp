#include "shell/WxUiPoster.h"
#include <wx/app.h>

void CWxUiPoster::Post(std::function<void()> task)
{
    if (wxTheApp) wxTheApp->CallAfter(std::move(task));
}
