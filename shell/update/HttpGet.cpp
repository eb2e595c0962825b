#include "shell/update/HttpGet.h"
#include <curl/curl.h>
#include <memory>
#include <mutex>

namespace {
struct CurlEasyDeleter {
    void operator()(CURL* h) const { curl_easy_cleanup(h); }
};
using CurlEasyPtr = std::unique_ptr<CURL, CurlEasyDeleter>;

// curl_global_init is not thread-safe on every build: run it once, first use.
bool GlobalInitOnce()
{
    static std::once_flag once;
    static bool ok = false;
    std::call_once(once, [] { ok = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK; });
    return ok;
}

struct Transfer {
    std::string* body;
    size_t maxBytes;
    const std::atomic<bool>* cancel;
    bool tooLong = false;
};

size_t OnData(char* data, size_t size, size_t count, void* user)
{
    auto* t = static_cast<Transfer*>(user);
    const size_t n = size * count;
    if (t->body->size() + n > t->maxBytes) {
        t->tooLong = true;
        return 0;  // makes curl stop with a write error
    }
    t->body->append(data, n);
    return n;
}

int OnProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    const auto* t = static_cast<const Transfer*>(user);
    return t->cancel && t->cancel->load() ? 1 : 0;
}
}  // namespace

int HttpGet(const std::string& url, const HttpGetLimits& limits, const std::atomic<bool>* cancel,
            std::string& body)
{
    body.clear();
    if (!GlobalInitOnce()) return 1;
    if (cancel && cancel->load()) return 1;
    CurlEasyPtr h(curl_easy_init());
    if (!h) return 1;
    Transfer t{&body, limits.maxBytes, cancel};
    CURL* c = h.get();
    curl_easy_setopt(c, CURLOPT_URL, url.c_str());
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, limits.connectTimeoutMs);
    curl_easy_setopt(c, CURLOPT_TIMEOUT_MS, limits.totalTimeoutMs);
    curl_easy_setopt(c, CURLOPT_USERAGENT, "KestrelMedia update check");
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, &OnData);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &t);
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, &OnProgress);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, &t);
    const CURLcode rc = curl_easy_perform(c);
    long status = 0;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
    if (rc != CURLE_OK || t.tooLong || status != 200) {
        body.clear();
        return 1;
    }
    return 0;
}
