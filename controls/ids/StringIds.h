#pragma once
// String ids of the window program's texts (the resource folder's string
// table keeps the program's numbers). A command's tooltip is the string
// whose id is the command id (CommandIds.h); every other text the window
// code loads by number is named here once.

namespace KM::Str {

// Program.
inline constexpr unsigned ProgramName = 100;
inline constexpr unsigned ConversionFinished = 241;

// Ribbon: file page and quick access.
inline constexpr unsigned CurrentFileLabel = 242;
inline constexpr unsigned FileCategory = 260;
inline constexpr unsigned FileNew = 262;
inline constexpr unsigned FileOpen = 263;
inline constexpr unsigned FileSave = 264;
inline constexpr unsigned FileSaveAs = 265;
inline constexpr unsigned RecentProjects = 272;
inline constexpr unsigned FileExit = 273;

// Ribbon: categories and panels.
inline constexpr unsigned SourceCategory = 61204;
inline constexpr unsigned EditingCategory = 61205;
inline constexpr unsigned OutputCategory = 61206;
inline constexpr unsigned ConversionCategory = 61207;
inline constexpr unsigned NewsCategory = 61208;
inline constexpr unsigned AddSourcesPanel = 61368;
inline constexpr unsigned SourcesPanel = 61370;
inline constexpr unsigned ConvertPanel = 61355;
inline constexpr unsigned ConversionPanel = 61350;
inline constexpr unsigned UpdatesPanel = 412;

// Ribbon: button labels and descriptions.
inline constexpr unsigned FilesButton = 61369;
inline constexpr unsigned FolderButton = 61211;
inline constexpr unsigned DvdButton = 61212;
inline constexpr unsigned RemoveButton = 61218;
inline constexpr unsigned ConvertButton = 61356;
inline constexpr unsigned ResetButton = 61422;
inline constexpr unsigned NextFile = 466;      // label and tip of the editing ribbon's arrows
inline constexpr unsigned PreviousFile = 469;
inline constexpr unsigned StartButton = 61351;
inline constexpr unsigned PauseButton = 61352;
inline constexpr unsigned StopButton = 61353;
inline constexpr unsigned ToTrayButton = 61354;
inline constexpr unsigned CheckNowButton = 413;
inline constexpr unsigned AutoCheckButton = 414;
inline constexpr unsigned FilesDescription = 423;
inline constexpr unsigned FolderDescription = 424;
inline constexpr unsigned DvdDescription = 455;
inline constexpr unsigned RemoveDescription = 457;
inline constexpr unsigned ConvertDescription = 461;
inline constexpr unsigned ResetDescription = 465;
inline constexpr unsigned PauseDescription = 474;
inline constexpr unsigned StopDescription = 475;
inline constexpr unsigned ToTrayDescription = 476;
inline constexpr unsigned AutoCheckDescription = 480;

// Status bar.
inline constexpr unsigned LoadRecentCheckBox = 61215;

// Pages.
inline constexpr unsigned FileColumn = 61220;
inline constexpr unsigned TitleColumn = 61303;
inline constexpr unsigned ProfileLabel = 513;
inline constexpr unsigned VideoKind = 507;
inline constexpr unsigned AudioKind = 508;
inline constexpr unsigned ImageKind = 509;
inline constexpr unsigned AskDeleteProfile = 516;
inline constexpr unsigned FilesConverted = 61365;
inline constexpr unsigned ConvertingPercent = 61366;

}  // namespace KM::Str
