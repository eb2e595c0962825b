#pragma once
// Splits the rows of a picture across a few worker threads, in chunks that
// whoever runs takes next (a busy machine leaves some workers waiting). Workers are made
// once ("km-rows-N"), sleep between calls and are joined at process exit; they
// take no lock but the pool's own, so any caller may use it.
#include <functional>

namespace mediaeng::frame {

// The threads that share a job, the caller's included.
int RowWorkers();

// Runs fn(begin, end) over [0, rows) in bands; small jobs run on the caller.
void ParallelRows(int rows, long long pixels, const std::function<void(int, int)>& fn);

}  // namespace mediaeng::frame
