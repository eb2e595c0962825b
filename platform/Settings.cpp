#include "platform/Settings.h"
#include "platform/Archive.h"
#include "platform/TextConv.h"
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <pthread.h>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
std::string Trim(const std::string& s)
{
    size_t a = s.find_first_not_of(" \t\r\n");
    if (a == std::string::npos) return "";
    size_t b = s.find_last_not_of(" \t\r\n");
    return s.substr(a, b - a + 1);
}

// Backslashes and line breaks are escaped so any text survives a round trip.
std::string Escape(const std::string& s)
{
    std::string out;
    for (char c : s) {
        if (c == '\\') out += "\\\\";
        else if (c == '\n') out += "\\n";
        else if (c == '\r') out += "\\r";
        else out += c;
    }
    return out;
}

std::string Unescape(const std::string& s)
{
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size()) {
            char n = s[++i];
            out += n == 'n' ? '\n' : n == 'r' ? '\r' : n;
        } else {
            out += s[i];
        }
    }
    return out;
}
}

CSettingsStore& CSettingsStore::Instance()
{
    static CSettingsStore store;
    return store;
}

fs::path CSettingsStore::DefaultPath()
{
    if (const char* p = std::getenv("KM_SETTINGS_FILE"); p && *p) return p;
    fs::path base;
    if (const char* x = std::getenv("XDG_CONFIG_HOME"); x && *x)
        base = x;
    else if (const char* h = std::getenv("HOME"); h && *h)
        base = fs::path(h) / ".config";
    else
        base = fs::temp_directory_path();
    return base / "KestrelMedia Soft" / "KestrelMedia.ini";
}

CSettingsStore::CSettingsStore() : m_path(DefaultPath())
{
    LoadLocked();
}

CSettingsStore::~CSettingsStore()
{
    {
        std::lock_guard<std::mutex> lk(m_mutex);
        m_stop = true;
    }
    m_changed.notify_all();
    if (m_writer.joinable()) m_writer.join();
    Flush();
}

void CSettingsStore::SetPath(const fs::path& path)
{
    std::lock_guard<std::mutex> lk(m_mutex);
    if (m_dirty) SaveLocked();
    m_path = path;
    m_sections.clear();
    LoadLocked();
}

bool CSettingsStore::Flush()
{
    std::lock_guard<std::mutex> lk(m_mutex);
    if (m_dirty) SaveLocked();
    return !m_lastWriteFailed;
}

void CSettingsStore::SetSettleTime(std::chrono::milliseconds settle)
{
    {
        std::lock_guard<std::mutex> lk(m_mutex);
        m_settle = settle;
    }
    m_changed.notify_all();
}

std::chrono::milliseconds CSettingsStore::SettleTime() const
{
    std::lock_guard<std::mutex> lk(m_mutex);
    return m_settle;
}

unsigned CSettingsStore::WriteCount() const
{
    std::lock_guard<std::mutex> lk(m_mutex);
    return m_writes;
}

void CSettingsStore::WriterLoop()
{
    std::unique_lock<std::mutex> lk(m_mutex);
    while (!m_stop) {
        if (!m_dirty) {
            m_changed.wait(lk);
            continue;
        }
        const auto due = m_lastChange + m_settle;
        if (std::chrono::steady_clock::now() < due) {
            m_changed.wait_until(lk, due);
            continue;  // a later change moved the time, or the settle time changed
        }
        SaveLocked();
    }
}

fs::path CSettingsStore::Path() const
{
    std::lock_guard<std::mutex> lk(m_mutex);
    return m_path;
}

void CSettingsStore::LoadLocked()
{
    std::ifstream in(m_path);
    if (!in) return;
    std::string line;
    std::wstring section;
    while (std::getline(in, line)) {
        std::string t = Trim(line);
        if (t.empty() || t[0] == '#' || t[0] == ';') continue;
        if (t.front() == '[' && t.back() == ']') {
            section = Utf8ToWide(t.substr(1, t.size() - 2));
            continue;
        }
        size_t eq = t.find('=');
        if (eq == std::string::npos) continue;
        m_sections[section][Utf8ToWide(Trim(t.substr(0, eq)))] = Utf8ToWide(Unescape(Trim(t.substr(eq + 1))));
    }
}

bool CSettingsStore::SaveLocked()
{
    std::error_code ec;
    fs::create_directories(m_path.parent_path(), ec);
    std::ostringstream out;
    for (const auto& [name, keys] : m_sections) {
        out << '[' << WideToUtf8(name) << "]\n";
        for (const auto& [k, v] : keys) out << WideToUtf8(k) << '=' << Escape(WideToUtf8(v)) << '\n';
    }
    std::string text = out.str();
    CFileWriteArchive ar(m_path);
    ar.Write(text.data(), text.size());
    m_lastWriteFailed = !ar.Commit();
    m_dirty = false;  // a failed write is not tried again until the next change
    ++m_writes;
    return !m_lastWriteFailed;
}

int CSettingsStore::GetInt(const std::wstring& section, const std::wstring& key, int def)
{
    std::wstring text = GetString(section, key, L"");
    if (text.empty()) return def;
    try {
        size_t used = 0;
        long v = std::stol(text, &used, 10);
        return used == text.size() ? static_cast<int>(v) : def;
    } catch (...) {
        return def;
    }
}

std::wstring CSettingsStore::GetString(const std::wstring& section, const std::wstring& key, const std::wstring& def)
{
    std::lock_guard<std::mutex> lk(m_mutex);
    auto s = m_sections.find(section);
    if (s == m_sections.end()) return def;
    auto k = s->second.find(key);
    return k == s->second.end() ? def : k->second;
}

bool CSettingsStore::SetInt(const std::wstring& section, const std::wstring& key, int value)
{
    return SetString(section, key, std::to_wstring(value));
}

bool CSettingsStore::SetString(const std::wstring& section, const std::wstring& key, const std::wstring& value)
{
    {
        std::lock_guard<std::mutex> lk(m_mutex);
        auto& keys = m_sections[section];
        if (auto it = keys.find(key); it != keys.end() && it->second == value) return !m_lastWriteFailed;
        keys[key] = value;
        m_dirty = true;
        m_lastChange = std::chrono::steady_clock::now();
        if (!m_writer.joinable() && !m_stop)
            m_writer = std::thread([this] {
                pthread_setname_np(pthread_self(), "km-settings");
                WriterLoop();
            });
    }
    m_changed.notify_all();
    return true;
}

// ---- signals ----------------------------------------------------------------

namespace {
int g_signalPipe[2] = {-1, -1};

extern "C" void OnEndSignal(int sig)
{
    const unsigned char b = static_cast<unsigned char>(sig);
    // Only a write is safe here; the watcher thread does the rest.
    [[maybe_unused]] ssize_t n = write(g_signalPipe[1], &b, 1);
}
}  // namespace

void CSettingsStore::FlushOnSignals()
{
    static std::once_flag once;
    std::call_once(once, [] {
        if (pipe2(g_signalPipe, O_CLOEXEC) != 0) return;
        // The watcher lives as long as the process; it is detached because
        // nothing ends it but a signal.
        std::thread([] {
            pthread_setname_np(pthread_self(), "km-signals");
            unsigned char sig = 0;
            while (read(g_signalPipe[0], &sig, 1) != 1) {}
            CSettingsStore::Instance().Flush();
            std::signal(sig, SIG_DFL);
            kill(getpid(), sig);
        }).detach();
        struct sigaction sa {};
        sa.sa_handler = OnEndSignal;
        sigemptyset(&sa.sa_mask);
        sigaction(SIGTERM, &sa, nullptr);
        sigaction(SIGINT, &sa, nullptr);
    });
}
