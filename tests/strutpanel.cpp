// A stand-in desktop panel: one dock window per argument ("top:30", "bottom:48"), across the
// whole X screen at that edge, reserving its height through _NET_WM_STRUT_PARTIAL. Runs until
// killed.
#include <xcb/xcb.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t a = reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
    std::free(reply);
    return a;
}

void panel(xcb_connection_t* c, xcb_screen_t* s, bool top, std::uint32_t depth) {
    const std::uint32_t w = s->width_in_pixels;
    const std::uint32_t h = s->height_in_pixels;
    const std::int16_t y = static_cast<std::int16_t>(top ? 0 : h - depth);
    const xcb_window_t window = xcb_generate_id(c);
    const std::uint32_t values[] = {0x404040u};
    xcb_create_window(c, XCB_COPY_FROM_PARENT, window, s->root, 0, y, static_cast<std::uint16_t>(w),
                      static_cast<std::uint16_t>(depth), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                      s->root_visual, XCB_CW_BACK_PIXEL, values);
    const xcb_atom_t dock = atom(c, "_NET_WM_WINDOW_TYPE_DOCK");
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, atom(c, "_NET_WM_WINDOW_TYPE"),
                        XCB_ATOM_ATOM, 32, 1, &dock);
    std::uint32_t strut[12] = {};
    if (top) {
        strut[2] = depth;
        strut[9] = w - 1; // top_end_x
    } else {
        strut[3] = depth;
        strut[11] = w - 1; // bottom_end_x
    }
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, atom(c, "_NET_WM_STRUT_PARTIAL"),
                        XCB_ATOM_CARDINAL, 32, 12, strut);
    // Placed where it asks: a window manager places windows that do not say so themselves.
    std::uint32_t hints[18] = {1 | 2 | 4 | 8, 0, static_cast<std::uint32_t>(y), w, depth};
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NORMAL_HINTS,
                        XCB_ATOM_WM_SIZE_HINTS, 32, 18, hints);
    const std::string name = top ? "top panel" : "bottom panel";
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                        static_cast<std::uint32_t>(name.size()), name.data());
    xcb_map_window(c, window);
}

} // namespace

int main(int argc, char** argv) {
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "strutpanel: no X server\n");
        return 1;
    }
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto colon = arg.find(':');
        if (colon == std::string::npos)
            return 2;
        panel(c, screen, arg.substr(0, colon) == "top",
              static_cast<std::uint32_t>(std::stoul(arg.substr(colon + 1))));
    }
    xcb_flush(c);
    std::puts("ready");
    std::fflush(stdout);
    for (;;)
        pause();
}
