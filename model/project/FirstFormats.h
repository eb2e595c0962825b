#pragma once
// A new project's outputs start on the first format of their format lists, as
// the output page lists them, so that a project made afresh converts before
// anyone has visited that page. A project read from a file keeps what it
// stored: this is for new projects only.
class CProject;
class COutputFileObj;

// Gives an output whose format is still none the first format its list
// offers and brings its codec choices in line; true when it changed.
bool ChooseFirstFormat(COutputFileObj& output);
// The same for the video, image and audio outputs of a new project.
void ChooseFirstFormats(CProject& project);
