#pragma once
// One rule for every path that reads a source (conversion, join, stream copy):
// how a read from the demuxer ended, and when a source that ran out counts as
// ending early. A damaged or cut-short file converts what it holds, with a
// warning that says where it ends; any other read failure fails the file.
#include <string>

namespace job {

// What a step of reading tells the reader: go on, the run is stopped, or the
// file fails (the one that failed keeps the reason).
enum class CReadStep { GoOn, Stop, Fail };

// How one read of the demuxer ended.
enum class CPacketRead {
    Packet,   // a packet came
    End,      // the end of the file
    Damaged,  // the file breaks off or its data is damaged: it ends here
    Failed,   // anything else (out of memory, ...): the file fails
};
CPacketRead ClassifyRead(int rc);

// The seconds a source may fall short of its declared end without a word
// (declared lengths are rounded and streams end a little apart).
constexpr double kEarlyEndSlack = 0.5;

// Where a source ended early, in seconds of the source, or a negative value
// when it did not. how is End or Damaged; reached is the furthest time read;
// wanted is where reading was to end (0 or infinity when unknown).
double EarlyEnd(CPacketRead how, double reached, double wanted);

// The warning for a source that ends early at seconds.
std::wstring EndsEarlyText(double seconds);

}  // namespace job
