#pragma once
// The main frame's page kinds and ribbon tabs by name, and which page each
// tab shows (the pages register themselves, see PageRegistry.h).

enum EPageKind : int {
    kPageFiles = 0,
    kPageFolder = 1,
    kPageDvd = 2,
    kPageOutput = 5,
    kPageConversion = 6,
    kPageEditing = 7,
    kPageNews = 8,
};

// Ribbon tab positions after the application tab.
enum ERibbonCategory : int {
    kCategorySource = 1,
    kCategoryEditing = 2,
    kCategoryOutput = 3,
    kCategoryConversion = 4,
    kCategoryNews = 5,
};

// What showing a ribbon tab does.
struct CategoryAction {
    bool showSource = false;      // the page of the project's source type (kept as it is)
    bool refillFileCombo = false; // the editing tab's file choice is filled first
    int pageKind = -1;            // else this page, -1 for none
};
CategoryAction ActionForCategory(int position);

// The page of a source type; -1 for the types that have no page of their own.
int PageKindForSourceType(int sourceType);

// Whether a request to show the source page changes anything: a real change of
// type (keep false) or a repeat that re-shows it (keep true).
bool SourceViewNeedsShow(int sourceType, int lastShown, bool keep);
