#pragma once
// FFmpeg's own log: only warnings and errors reach the program's log stream
// (standard error); the encoders' statistics and the demuxers' notes at
// information level stay out of the user's terminal.
namespace mediaeng::av {

// Lowers FFmpeg's log to warning level unless a stricter level is set
// already (a benchmark that wants errors only keeps its choice).
void LimitFfmpegLog();

}  // namespace mediaeng::av
