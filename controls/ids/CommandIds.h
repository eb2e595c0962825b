#pragma once
// Command ids of the window program. They keep the program's own numbers, so
// string, menu and toolbar resources that name a command by number stay valid;
// the framework's stock commands (new, open, copy, exit ...) are wxWidgets'
// stock ids, and StockCommandNumber / CommandFromNumber translate between the
// two where a number is needed (string lookup, resource tables).
// Numbers above 32766 serve as menu, tool and event ids but not as window ids
// (wxWidgets refuses them): a control of such a command keeps the number apart.
#include <wx/defs.h>

namespace KM::Cmd {

// Stock commands (their numbers: see kStockCommands below).
inline constexpr int FileNew = wxID_NEW;            // 57600
inline constexpr int FileOpen = wxID_OPEN;          // 57601
inline constexpr int FileSave = wxID_SAVE;          // 57603
inline constexpr int FileSaveAs = wxID_SAVEAS;      // 57604
inline constexpr int FilePrintDirect = wxID_PRINT;  // 57608
inline constexpr int EditCopy = wxID_COPY;          // 57634
inline constexpr int EditCut = wxID_CUT;            // 57635
inline constexpr int EditPaste = wxID_PASTE;        // 57637
inline constexpr int AppAbout = wxID_ABOUT;         // 57664
inline constexpr int AppExit = wxID_EXIT;           // 57665

// Visual look, one command per look.
inline constexpr int LookFirst = 210;
inline constexpr int LookLast = 218;

// Main frame and ribbon.
inline constexpr int WebsiteLink = 310;
inline constexpr int SourceType4 = 314;
inline constexpr int SourceType3 = 315;
inline constexpr int LoadRecentDoc = 316;
inline constexpr int AddFiles = 317;
inline constexpr int RemoveAllSources = 319;
inline constexpr int ShowTimelinePane = 340;
inline constexpr int ShowCropPane = 341;
inline constexpr int FolderDeleteKey = 341;  // the folder view's Delete key: offered disabled
inline constexpr int ShowWatermarkPane = 342;
inline constexpr int ShowAdvancedPane = 343;
inline constexpr int CurrentFileCombo = 345;
inline constexpr int ShowFiltersPane = 353;
inline constexpr int ShowEraserPane = 354;
inline constexpr int SourceFileList = 452;
inline constexpr int SourceFolder = 453;
inline constexpr int SourceDvd = 454;
inline constexpr int RemoveSources = 456;
inline constexpr int StartConversionFromRibbon = 462;
inline constexpr int ResetEditPane = 464;
inline constexpr int NextFile = 466;
inline constexpr int PreviousFile = 469;
inline constexpr int ConversionStart = 470;
inline constexpr int ConversionPause = 471;
inline constexpr int ConversionStop = 472;
inline constexpr int SendToTray = 473;
inline constexpr int CheckUpdatesNow = 477;
inline constexpr int AutoCheckUpdates = 479;

// Timeline pane.
inline constexpr int AddRange = 431;
inline constexpr int SetRangeStart = 432;
inline constexpr int SetRangeEnd = 433;
inline constexpr int MoveRangeToPosition = 434;
inline constexpr int RemoveRange = 436;
inline constexpr int ZoomOut = 438;
inline constexpr int ZoomIn = 439;

// Folder and DVD source views.
inline constexpr int ReloadFolder = 445;
inline constexpr int BrowseFolder = 446;
inline constexpr int BrowseDvd = 448;
inline constexpr int ReloadDvdTitles = 450;
inline constexpr int TakeTypedFolder = 481;
inline constexpr int TakeTypedDrive = 482;
inline constexpr int JoinDvdTitles = 523;
inline constexpr int DvdReserved = 347;  // offered disabled by the DVD view, no action
inline constexpr int FolderRecursive = 32784;
inline constexpr int ApplyFileMask = 32786;
inline constexpr int CheckAllRows = 32867;
inline constexpr int UncheckAllRows = 32868;

// Properties view beside a source list.
inline constexpr int ExpandAllProperties = 32778;
inline constexpr int AlphabeticProperties = 32779;

// Preview player.
inline constexpr int PlayerStop = 460;
inline constexpr int PlayPause = 32781;

// Lists, output view and log.
inline constexpr int ChooseProfile = 512;
inline constexpr int OutputKindCombo = 516;
inline constexpr int SaveProfile = 517;
inline constexpr int DetachProfile = 518;
inline constexpr int DeleteProfile = 520;  // also the Delete key in the profile list
inline constexpr int RebuildOutputGrid = 330;
// Offered by the output view without an action of their own.
inline constexpr int OutputReserved[] = {326, 327, 328, 338, 339};
inline constexpr int SelectAll = 32771;
inline constexpr int ClearLog = 32806;
inline constexpr int ShowVideoOutput = 32834;
inline constexpr int ShowImageOutput = 32835;
inline constexpr int ShowAudioOutput = 32836;

// Tray menu.
inline constexpr int TrayRestore = 32815;
inline constexpr int TrayStopAndExit = 32816;

// Edit panes.
inline constexpr int RangeBehaviour = 32825;
inline constexpr int AddTextWatermark = 32826;
inline constexpr int AddImageWatermark = 32827;
inline constexpr int AddWatermarkKind2 = 32828;
inline constexpr int AddWatermarkKind3 = 32829;
inline constexpr int AddMediaWatermark = 32830;
inline constexpr int DeleteWatermark = 32831;
inline constexpr int MoveDown = 32832;       // also "Source" in the crop and eraser panes
inline constexpr int MoveUp = 32833;         // also "Result" in the crop and eraser panes
inline constexpr int ShowSourcePicture = 32832;
inline constexpr int ShowResultPicture = 32833;

struct StockCommand {
    int number;  // the program's number for it
    int id;      // the wxWidgets stock id
};
inline constexpr StockCommand kStockCommands[] = {
    {57600, FileNew},  {57601, FileOpen}, {57603, FileSave},  {57604, FileSaveAs}, {57608, FilePrintDirect},
    {57634, EditCopy}, {57635, EditCut},  {57637, EditPaste}, {57664, AppAbout},   {57665, AppExit},
};

// The program's number of a command id (the id itself unless it is a stock id).
constexpr int StockCommandNumber(int id)
{
    for (const StockCommand& c : kStockCommands)
        if (c.id == id) return c.number;
    return id;
}

// The command id for a number from a resource table (57600 -> wxID_NEW ...).
constexpr int CommandFromNumber(int number)
{
    for (const StockCommand& c : kStockCommands)
        if (c.number == number) return c.id;
    return number;
}

}  // namespace KM::Cmd
