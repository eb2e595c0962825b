#pragma once
// One small HTTP GET on libcurl for the update and news check. It runs on the
// update thread: no signals, bounded connect and total times, a size cap, and a
// cancel check that ends a hanging exchange when the program exits.
#include <atomic>
#include <string>

struct HttpGetLimits {
    long connectTimeoutMs = 10000;
    long totalTimeoutMs = 30000;
    size_t maxBytes = 4096;  // a longer body counts as a failure, never cut
};

// 0 when the server answered with status 200 and a body within the limits; 1 on
// any other outcome (no connection, time-out, other status, too long, cancelled).
// Only http and https URLs are fetched; redirects are not followed.
int HttpGet(const std::string& url, const HttpGetLimits& limits, const std::atomic<bool>* cancel,
            std::string& body);
