// A taskbar stand-in for the test desktop: a dock window across the bottom of
// the screen that reserves its height, so that the window manager shrinks the
// work area as a real panel does and programs see a smaller free area.
//
//   desktop_panel HEIGHT
//
// Prints "ready" once the window manager's work area leaves the panel out,
// then stays until it is ended.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace {

// The height of the work area of the first desktop; -1 while none is set.
long workAreaHeight(Display *display, Window root)
{
    const Atom workArea = XInternAtom(display, "_NET_WORKAREA", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char *data = nullptr;
    long height = -1;
    if (XGetWindowProperty(display, root, workArea, 0, 4, False, XA_CARDINAL, &type, &format,
                           &count, &after, &data) == Success &&
        data && format == 32 && count >= 4)
        height = reinterpret_cast<long *>(data)[3];
    if (data)
        XFree(data);
    return height;
}

// Marks the window as a dock that reserves `height` pixels at the bottom.
void reserve(Display *display, Window panel, int width, int screenHeight, int height)
{
    const Atom windowType = XInternAtom(display, "_NET_WM_WINDOW_TYPE", False);
    const Atom dock = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DOCK", False);
    XChangeProperty(display, panel, windowType, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char *>(&dock), 1);
    // left, right, top, bottom, then the start and end of each side's edge
    const long strut[12] = {0, 0, 0, height, 0, 0, 0, 0, 0, 0, 0, width - 1};
    XChangeProperty(display, panel, XInternAtom(display, "_NET_WM_STRUT", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char *>(strut), 4);
    XChangeProperty(display, panel, XInternAtom(display, "_NET_WM_STRUT_PARTIAL", False),
                    XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char *>(strut), 12);
    XSizeHints *hints = XAllocSizeHints();
    hints->flags = USPosition | USSize | PMinSize | PMaxSize;
    hints->x = 0;
    hints->y = screenHeight - height;
    hints->width = hints->min_width = hints->max_width = width;
    hints->height = hints->min_height = hints->max_height = height;
    XSetWMNormalHints(display, panel, hints);
    XFree(hints);
}

} // namespace

int main(int argc, char **argv)
{
    const int height = argc == 2 ? std::atoi(argv[1]) : 0;
    if (height <= 0) {
        std::fprintf(stderr, "usage: desktop_panel HEIGHT\n");
        return 2;
    }
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "desktop_panel: no X display\n");
        return 1;
    }
    const int screen = DefaultScreen(display);
    const Window root = RootWindow(display, screen);
    const int width = DisplayWidth(display, screen);
    const int screenHeight = DisplayHeight(display, screen);

    XSetWindowAttributes attributes{};
    attributes.background_pixel = 0x3c3c46;
    const Window panel =
        XCreateWindow(display, root, 0, screenHeight - height, unsigned(width), unsigned(height), 0,
                      CopyFromParent, InputOutput, CopyFromParent, CWBackPixel, &attributes);

    // Everything the window manager reads is set before the window is mapped.
    reserve(display, panel, width, screenHeight, height);
    XStoreName(display, panel, "Leiste");
    XMapWindow(display, panel);
    XFlush(display);

    // Ready once the work area ends above the panel. A window manager that
    // was still starting may have let the map pass without managing the
    // panel: mapped again, it comes to the manager as a request.
    const long wanted = screenHeight - height;
    for (int tries = 0; workAreaHeight(display, root) != wanted; ++tries) {
        if (tries > 0 && tries % 40 == 0) {
            XUnmapWindow(display, panel);
            XMapWindow(display, panel);
            XFlush(display);
        }
        if (tries == 800) {
            std::fprintf(stderr, "desktop_panel: the work area stays %ld high, not %ld\n",
                         workAreaHeight(display, root), wanted);
            return 1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    std::printf("ready\n");
    std::fflush(stdout);

    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
    }
}
