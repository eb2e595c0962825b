#pragma once
// One rule for every path that reads a source (conversion, join, stream copy):
// how a read from the demuxer ended, and when a source that ran out counts as
// ending early. A damaged or cut-short file converts what it holds, with a
// warning that says where it ends; any other read failure fails the file.
#include <string>

struct AVFormatContext;

namespace mediaeng::job {

// What a step of reading tells the reader: go on, the run is stopped, or the
// file fails (the one that failed keeps the reason).
enum class CReadStep { GoOn, Stop, Fail };

// How one read of the demuxer ended.
enum class CPacketRead {
    Packet,   // a packet came
    End,      // the end of the file
    Damaged,  // the file breaks off or its data is damaged: reading ends here
    Failed,   // anything else (out of memory, ...): the file fails
};
// rc of the read; lastCorrupt: the packet before it came cut short, so an
// end of the file there is where the file breaks off.
CPacketRead ClassifyRead(int rc, bool lastCorrupt = false);

// The seconds a source may fall short of its declared end without a word
// (declared lengths are rounded and streams end a little apart).
constexpr double kEarlyEndSlack = 0.5;

// Where a file says it ends, in seconds from its start; 0 when it does not
// say (a length guessed from the bitrate says nothing). The picture count a
// header states counts too: a demuxer that rebuilds a lost index shortens
// its own duration to what is left.
double DeclaredEnd(const AVFormatContext* ctx);

// Where a source ended early, in seconds of the source, or a negative value
// when it did not: a damaged read always ends it early (what follows is
// lost); an end of the file only when it falls short of the declared end.
// how is End or Damaged; reached is the furthest time read; wanted is where
// reading was to end (0 or infinity when unknown).
double EarlyEnd(CPacketRead how, double reached, double wanted);

// The warning for a source that ends early at seconds.
std::wstring EndsEarlyText(double seconds);

}  // namespace mediaeng::job
