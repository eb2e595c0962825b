#include "platform/KeepAwake.h"
#include <dbus/dbus.h>
#include <mutex>
#include <unistd.h>

namespace {

std::mutex g_mutex;
bool g_held = false;
int g_inhibitor = -1;  // the login manager's lock: closing it lets the system sleep

constexpr int kCallTimeoutMs = 2000;

// Asks logind for a "block" inhibitor of sleep and idle; -1 when there is no
// system bus or no login manager on it.
int TakeInhibitor()
{
    DBusError error;
    dbus_error_init(&error);
    DBusConnection* bus = dbus_bus_get_private(DBUS_BUS_SYSTEM, &error);
    if (!bus) {
        dbus_error_free(&error);
        return -1;
    }
    dbus_connection_set_exit_on_disconnect(bus, FALSE);
    int fd = -1;
    if (DBusMessage* call = dbus_message_new_method_call("org.freedesktop.login1", "/org/freedesktop/login1",
                                                         "org.freedesktop.login1.Manager", "Inhibit")) {
        const char* what = "sleep:idle";
        const char* who = "KestrelMedia";
        const char* why = "Converting media files";
        const char* mode = "block";
        dbus_message_append_args(call, DBUS_TYPE_STRING, &what, DBUS_TYPE_STRING, &who, DBUS_TYPE_STRING, &why,
                                 DBUS_TYPE_STRING, &mode, DBUS_TYPE_INVALID);
        if (DBusMessage* reply = dbus_connection_send_with_reply_and_block(bus, call, kCallTimeoutMs, &error)) {
            if (!dbus_message_get_args(reply, &error, DBUS_TYPE_UNIX_FD, &fd, DBUS_TYPE_INVALID)) fd = -1;
            dbus_message_unref(reply);
        }
        dbus_message_unref(call);
    }
    dbus_error_free(&error);
    dbus_connection_close(bus);
    dbus_connection_unref(bus);
    return fd;
}

}  // namespace

// The request counts as held even where the system offers no lock, so
// callers pair Request and Release the same way everywhere.
HRESULT CKeepAwake::Request()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    if (!g_held) {
        g_held = true;
        g_inhibitor = TakeInhibitor();
    }
    return g_inhibitor >= 0 ? S_OK : S_FALSE;
}

void CKeepAwake::Release()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    if (g_inhibitor >= 0) close(g_inhibitor);
    g_inhibitor = -1;
    g_held = false;
}

bool CKeepAwake::IsHeld()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_held;
}
