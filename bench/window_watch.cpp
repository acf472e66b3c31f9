// Watches the X display for top-level windows, so that programs without a probe (the
// peers) can be timed from outside. Prints one line per event on standard output:
//   ready
//   mapped <CLOCK_MONOTONIC ns> <window id> <_NET_WM_PID or 0>
//   title <CLOCK_MONOTONIC ns> <window id> <_NET_WM_PID or 0> <_NET_WM_NAME in UTF-8>
// Without a window manager every top-level window is a child of the root window, so
// SubstructureNotify on the root reports each one as it is mapped.
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

namespace {

long long monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

xcb_atom_t atom(xcb_connection_t* c, const char* name)
{
    xcb_intern_atom_reply_t* reply
        = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t found = reply ? reply->atom : XCB_ATOM_NONE;
    std::free(reply);
    return found;
}

// The property's bytes, or an empty string when the window has none (or is gone).
std::string property(xcb_connection_t* c, xcb_window_t window, xcb_atom_t name, xcb_atom_t type)
{
    xcb_get_property_reply_t* reply
        = xcb_get_property_reply(c, xcb_get_property(c, 0, window, name, type, 0, 4096), nullptr);
    std::string value;
    if (reply) {
        value.assign(static_cast<const char*>(xcb_get_property_value(reply)),
                     static_cast<size_t>(xcb_get_property_value_length(reply)));
        std::free(reply);
    }
    return value;
}

} // namespace

int main()
{
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "window_watch: cannot open the display\n");
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const uint32_t rootMask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &rootMask);
    const xcb_atom_t pidAtom = atom(c, "_NET_WM_PID");
    const xcb_atom_t nameAtom = atom(c, "_NET_WM_NAME");
    const xcb_atom_t utf8 = atom(c, "UTF8_STRING");
    xcb_flush(c);
    std::printf("ready\n");
    std::fflush(stdout);

    auto pidOf = [&](xcb_window_t window) -> unsigned {
        const std::string value = property(c, window, pidAtom, XCB_ATOM_CARDINAL);
        unsigned pid = 0;
        if (value.size() >= sizeof pid)
            std::memcpy(&pid, value.data(), sizeof pid);
        return pid;
    };
    auto printTitle = [&](long long ns, xcb_window_t window) {
        std::string title = property(c, window, nameAtom, utf8);
        for (char& ch : title) {
            if (ch == '\n' || ch == '\r')
                ch = ' ';
        }
        if (!title.empty())
            std::printf("title %lld %u %u %s\n", ns, window, pidOf(window), title.c_str());
    };

    while (xcb_generic_event_t* event = xcb_wait_for_event(c)) {
        const long long ns = monotonicNs();
        switch (event->response_type & 0x7f) {
        case XCB_MAP_NOTIFY: {
            const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
            if (map->event != root || map->override_redirect)
                break;
            // Title changes from now on; the title it was mapped with is printed at once.
            const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
            xcb_change_window_attributes(c, map->window, XCB_CW_EVENT_MASK, &mask);
            std::printf("mapped %lld %u %u\n", ns, map->window, pidOf(map->window));
            printTitle(ns, map->window);
            break;
        }
        case XCB_PROPERTY_NOTIFY: {
            const auto* change = reinterpret_cast<xcb_property_notify_event_t*>(event);
            if (change->atom == nameAtom && change->state == XCB_PROPERTY_NEW_VALUE)
                printTitle(ns, change->window);
            break;
        }
        default:
            break;
        }
        std::free(event);
        std::fflush(stdout);
    }
    return 0;
}
