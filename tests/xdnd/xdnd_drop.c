/* xdnd_drop X Y path...
 *
 * Drops files and folders at root coordinates X,Y the way a file manager
 * does, through the XDND protocol: it owns XdndSelection, offers the paths as
 * text/uri-list to the XdndAware window under the point and answers the
 * target's request for the data. Wine turns such a drop on a window that
 * accepts files into WM_DROPFILES inside the target process, so this drives
 * real drops into a Windows program from a test script.
 *
 * Exit status: 0 when the target took the drop (XdndFinished with success),
 * 1 when it refused it or did not answer in time, 2 on bad use or no display.
 * Every wait is bounded, so it never hangs. */
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/select.h>
#include <time.h>
#include <unistd.h>

enum { XdndVersion = 5, ReplyTimeoutMs = 5000 };

enum {
    aXdndAware, aXdndSelection, aXdndEnter, aXdndPosition, aXdndStatus, aXdndLeave,
    aXdndDrop, aXdndFinished, aXdndActionCopy, aUriList, aTargets, aAtomCount
};
static const char* const atomNames[aAtomCount] = {
    "XdndAware", "XdndSelection", "XdndEnter", "XdndPosition", "XdndStatus", "XdndLeave",
    "XdndDrop", "XdndFinished", "XdndActionCopy", "text/uri-list", "TARGETS",
};

typedef struct {
    Display* dpy;
    Window source;
    Window target;
    long version;
    Atom atoms[aAtomCount];
    char* uris;
} Drag;

static long NowMs(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000L + ts.tv_nsec / 1000000L;
}

/* The next X event, or 0 once the deadline (monotonic ms) has passed. */
static int NextEvent(Display* dpy, long deadline, XEvent* ev)
{
    while (!XPending(dpy)) {
        long left = deadline - NowMs();
        if (left <= 0)
            return 0;
        fd_set fds;
        FD_ZERO(&fds);
        FD_SET(ConnectionNumber(dpy), &fds);
        struct timeval tv = {left / 1000, (left % 1000) * 1000};
        if (select(ConnectionNumber(dpy) + 1, &fds, NULL, NULL, &tv) < 0 && errno != EINTR)
            return 0;
    }
    XNextEvent(dpy, ev);
    return 1;
}

/* Appends one byte to the URI list, percent-encoded unless it is unreserved
 * or a slash, so spaces and non-ASCII names survive as UTF-8 escapes. */
static char* AppendUriByte(char* out, unsigned char c)
{
    static const char hex[] = "0123456789ABCDEF";
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || strchr("-._~/", c)) {
        *out++ = (char)c;
    } else {
        *out++ = '%';
        *out++ = hex[c >> 4];
        *out++ = hex[c & 15];
    }
    return out;
}

/* "file:///abs/path\r\n" for every path; relative paths are taken from the
 * current directory. The paths need not exist: the target decides. */
static char* BuildUriList(int count, char** paths)
{
    char cwd[4096];
    if (!getcwd(cwd, sizeof cwd))
        return NULL;
    size_t size = 1;
    for (int i = 0; i < count; ++i)
        size += strlen("file://") + 3 * (strlen(cwd) + 1 + strlen(paths[i])) + 2;
    char* list = malloc(size);
    if (!list)
        return NULL;
    char* out = list;
    for (int i = 0; i < count; ++i) {
        out += sprintf(out, "file://");
        if (paths[i][0] != '/') {
            for (const char* p = cwd; *p; ++p)
                out = AppendUriByte(out, (unsigned char)*p);
            out = AppendUriByte(out, '/');
        }
        for (const char* p = paths[i]; *p; ++p)
            out = AppendUriByte(out, (unsigned char)*p);
        *out++ = '\r';
        *out++ = '\n';
    }
    *out = '\0';
    return list;
}

/* The XDND version a window announces, or 0 when it is no drop target. */
static long AwareVersion(Drag* d, Window w)
{
    Atom type;
    int format;
    unsigned long count, rest;
    unsigned char* data = NULL;
    long version = 0;
    if (XGetWindowProperty(d->dpy, w, d->atoms[aXdndAware], 0, 1, False, XA_ATOM, &type, &format, &count, &rest,
                           &data) == Success && type == XA_ATOM && format == 32 && count == 1)
        version = (long)*(Atom*)data;
    if (data)
        XFree(data);
    return version;
}

/* Walks down the window tree under the root point to the first XdndAware
 * window, as a drag source does while the pointer moves. */
static int FindTarget(Drag* d, int x, int y)
{
    Window root = DefaultRootWindow(d->dpy), w = root, child;
    int cx, cy;
    while (XTranslateCoordinates(d->dpy, root, w, x, y, &cx, &cy, &child) && child != None) {
        w = child;
        long version = AwareVersion(d, w);
        if (version > 0) {
            d->target = w;
            d->version = version < XdndVersion ? version : XdndVersion;
            return 1;
        }
    }
    return 0;
}

static void SendClientMessage(Drag* d, int type, long l1, long l2, long l3, long l4)
{
    XEvent ev;
    memset(&ev, 0, sizeof ev);
    ev.xclient.type = ClientMessage;
    ev.xclient.window = d->target;
    ev.xclient.message_type = d->atoms[type];
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = (long)d->source;
    ev.xclient.data.l[1] = l1;
    ev.xclient.data.l[2] = l2;
    ev.xclient.data.l[3] = l3;
    ev.xclient.data.l[4] = l4;
    XSendEvent(d->dpy, d->target, False, NoEventMask, &ev);
    XFlush(d->dpy);
}

/* Gives the requestor the URI list (or the list of offered types); any other
 * type is refused. */
static void AnswerSelectionRequest(Drag* d, const XSelectionRequestEvent* req)
{
    XEvent reply;
    memset(&reply, 0, sizeof reply);
    reply.xselection.type = SelectionNotify;
    reply.xselection.requestor = req->requestor;
    reply.xselection.selection = req->selection;
    reply.xselection.target = req->target;
    reply.xselection.time = req->time;
    reply.xselection.property = None;
    Atom property = req->property != None ? req->property : req->target;
    if (req->target == d->atoms[aUriList]) {
        XChangeProperty(d->dpy, req->requestor, property, d->atoms[aUriList], 8, PropModeReplace,
                        (const unsigned char*)d->uris, (int)strlen(d->uris));
        reply.xselection.property = property;
    } else if (req->target == d->atoms[aTargets]) {
        Atom offered[] = {d->atoms[aTargets], d->atoms[aUriList]};
        XChangeProperty(d->dpy, req->requestor, property, XA_ATOM, 32, PropModeReplace,
                        (const unsigned char*)offered, 2);
        reply.xselection.property = property;
    }
    XSendEvent(d->dpy, req->requestor, False, NoEventMask, &reply);
    XFlush(d->dpy);
}

/* Runs the exchange from XdndEnter to XdndFinished; the exit status. */
static int Drop(Drag* d, int x, int y)
{
    SendClientMessage(d, aXdndEnter, d->version << 24, (long)d->atoms[aUriList], None, None);
    SendClientMessage(d, aXdndPosition, 0, ((long)x << 16) | (y & 0xFFFF), CurrentTime,
                      (long)d->atoms[aXdndActionCopy]);
    long deadline = NowMs() + ReplyTimeoutMs;
    int dropped = 0;
    XEvent ev;
    while (NextEvent(d->dpy, deadline, &ev)) {
        if (ev.type == SelectionRequest) {
            AnswerSelectionRequest(d, &ev.xselectionrequest);
        } else if (ev.type == ClientMessage && ev.xclient.message_type == d->atoms[aXdndStatus] && !dropped) {
            if (!(ev.xclient.data.l[1] & 1)) {
                SendClientMessage(d, aXdndLeave, 0, 0, 0, 0);
                fprintf(stderr, "xdnd_drop: window 0x%lx refused the drop at %d,%d\n", d->target, x, y);
                return 1;
            }
            SendClientMessage(d, aXdndDrop, 0, CurrentTime, 0, 0);
            dropped = 1;
        } else if (ev.type == ClientMessage && ev.xclient.message_type == d->atoms[aXdndFinished]) {
            if (d->version >= 5 && !(ev.xclient.data.l[1] & 1)) {
                fprintf(stderr, "xdnd_drop: window 0x%lx took the drop but reported failure\n", d->target);
                return 1;
            }
            return 0;
        }
    }
    fprintf(stderr, "xdnd_drop: no %s from window 0x%lx within %d ms\n", dropped ? "XdndFinished" : "XdndStatus",
            d->target, ReplyTimeoutMs);
    if (!dropped)
        SendClientMessage(d, aXdndLeave, 0, 0, 0, 0);
    return 1;
}

int main(int argc, char** argv)
{
    if (argc < 4) {
        fprintf(stderr, "usage: xdnd_drop X Y path...\n"
                        "Drops the paths as text/uri-list at root coordinates X,Y.\n");
        return 2;
    }
    char* end;
    long x = strtol(argv[1], &end, 10);
    int ok = *argv[1] && !*end;
    long y = strtol(argv[2], &end, 10);
    if (!ok || !*argv[2] || *end || x < 0 || y < 0 || x > 0x7FFF || y > 0x7FFF) {
        fprintf(stderr, "xdnd_drop: bad coordinates '%s' '%s'\n", argv[1], argv[2]);
        return 2;
    }

    Drag d;
    memset(&d, 0, sizeof d);
    d.dpy = XOpenDisplay(NULL);
    if (!d.dpy) {
        fprintf(stderr, "xdnd_drop: cannot open display '%s'\n", getenv("DISPLAY") ? getenv("DISPLAY") : "");
        return 2;
    }
    d.uris = BuildUriList(argc - 3, argv + 3);
    if (!d.uris) {
        fprintf(stderr, "xdnd_drop: cannot build the URI list\n");
        return 2;
    }
    XInternAtoms(d.dpy, (char**)atomNames, aAtomCount, False, d.atoms);
    d.source = XCreateSimpleWindow(d.dpy, DefaultRootWindow(d.dpy), 0, 0, 1, 1, 0, 0, 0);
    XSetSelectionOwner(d.dpy, d.atoms[aXdndSelection], d.source, CurrentTime);

    int status;
    if (XGetSelectionOwner(d.dpy, d.atoms[aXdndSelection]) != d.source) {
        fprintf(stderr, "xdnd_drop: cannot own XdndSelection\n");
        status = 1;
    } else if (!FindTarget(&d, (int)x, (int)y)) {
        fprintf(stderr, "xdnd_drop: no XdndAware window at %ld,%ld\n", x, y);
        status = 1;
    } else {
        status = Drop(&d, (int)x, (int)y);
    }
    free(d.uris);
    XDestroyWindow(d.dpy, d.source);
    XCloseDisplay(d.dpy);
    return status;
}
