#pragma once
// The window the program shows until the ribbon main frame is registered
// (CKestrelMediaApp::RegisterMainFrameFactory): the document's title, the
// file commands and the about box.
class CKestrelMediaApp;
class wxFrame;

wxFrame* CreatePlainMainFrame(CKestrelMediaApp& app);
