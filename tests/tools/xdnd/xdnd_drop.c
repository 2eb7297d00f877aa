/* An X11 drag source for end-to-end tests: drops files or links on whatever window lies
 * under a root point, speaking XDND version 5 as a file manager or a browser would.
 * Wine turns such a drop into WM_DROPFILES or an OLE drop on the Windows window there.
 *
 *   xdnd_drop --x X --y Y [--window ID] [--action copy|move|link]
 *             [--type text/uri-list|text/x-moz-url]... [--title TEXT]
 *             [--timeout MS] [--status-file PATH] file-or-uri...
 *
 * Exit status: 0 when the target reported a finished drop; 2 bad usage; 3 no display or no
 * drop-aware window at the point; 4 the target refused; 5 no answer in time; 6 the target
 * finished without success. A Windows program cannot wait for a Unix child under Wine (it
 * gets no process handle), so --status-file receives "<status> <message>" once it is over,
 * written under a temporary name and renamed so that a poller never sees half of it. */
#define _POSIX_C_SOURCE 200809L
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <errno.h>
#include <poll.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

enum { MaxTypes = 8, MaxItems = 256, XdndVersion = 5 };

enum ExitStatus { Dropped = 0, BadUsage = 2, NoTarget = 3, Refused = 4, TimedOut = 5, Failed = 6 };

static const char* statusFile;
static Display* display;

static int Finish(int status, const char* format, ...)
{
    char message[512];
    va_list args;
    va_start(args, format);
    vsnprintf(message, sizeof message, format, args);
    va_end(args);
    if (status != Dropped) fprintf(stderr, "xdnd_drop: %s\n", message);
    /* Closing the connection also drops the source window and the selection it owns. */
    if (display) {
        XCloseDisplay(display);
        display = NULL;
    }
    if (statusFile) {
        char temp[4096];
        snprintf(temp, sizeof temp, "%s.part", statusFile);
        FILE* f = fopen(temp, "w");
        if (f) {
            fprintf(f, "%d %s\n", status, message);
            fclose(f);
            rename(temp, statusFile);
        }
    }
    return status;
}

struct Buffer {
    unsigned char* data;
    size_t size, capacity;
};

static void Append(struct Buffer* b, const void* bytes, size_t n)
{
    if (b->size + n > b->capacity) {
        b->capacity = (b->size + n) * 2 + 64;
        b->data = realloc(b->data, b->capacity);
        if (!b->data) exit(Finish(Failed, "out of memory"));
    }
    memcpy(b->data + b->size, bytes, n);
    b->size += n;
}

static void AppendText(struct Buffer* b, const char* text) { Append(b, text, strlen(text)); }

static int IsUri(const char* item) { return strstr(item, "://") != NULL; }

/* file:// URI of a local path: every byte outside the unreserved set and "/" is
 * percent-encoded, so UTF-8 names travel as %XX sequences as file managers send them. */
static void AppendFileUri(struct Buffer* b, const char* item)
{
    static const char hex[] = "0123456789ABCDEF";
    AppendText(b, "file://");
    for (const unsigned char* p = (const unsigned char*)item; *p; ++p) {
        unsigned c = *p;
        int plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                    c == '-' || c == '.' || c == '_' || c == '~' || c == '/';
        if (plain) {
            Append(b, p, 1);
        } else {
            char escaped[3] = {'%', hex[c >> 4], hex[c & 15]};
            Append(b, escaped, 3);
        }
    }
}

static void AppendUri(struct Buffer* b, const char* item)
{
    if (IsUri(item)) {
        AppendText(b, item);
        return;
    }
    if (item[0] == '/') {
        AppendFileUri(b, item);
        return;
    }
    char cwd[4096];
    if (!getcwd(cwd, sizeof cwd)) exit(Finish(Failed, "cannot read the current directory"));
    size_t n = strlen(cwd);
    char* full = malloc(n + strlen(item) + 2);
    if (!full) exit(Finish(Failed, "out of memory"));
    sprintf(full, "%s%s%s", cwd, cwd[n - 1] == '/' ? "" : "/", item);
    AppendFileUri(b, full);
    free(full);
}

/* Mozilla's link format: UTF-16 in host order, no byte-order mark, "url\ntitle". */
static void AppendUtf16(struct Buffer* b, const char* utf8)
{
    const unsigned char* p = (const unsigned char*)utf8;
    while (*p) {
        unsigned long cp;
        int extra;
        if (*p < 0x80) { cp = *p; extra = 0; }
        else if ((*p & 0xE0) == 0xC0) { cp = *p & 0x1F; extra = 1; }
        else if ((*p & 0xF0) == 0xE0) { cp = *p & 0x0F; extra = 2; }
        else if ((*p & 0xF8) == 0xF0) { cp = *p & 0x07; extra = 3; }
        else { cp = 0xFFFD; extra = 0; }
        ++p;
        for (int i = 0; i < extra; ++i, ++p) {
            if ((*p & 0xC0) != 0x80) { cp = 0xFFFD; break; }
            cp = (cp << 6) | (*p & 0x3F);
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            unsigned short pair[2] = {(unsigned short)(0xD800 + (cp >> 10)), (unsigned short)(0xDC00 + (cp & 0x3FF))};
            Append(b, pair, sizeof pair);
        } else {
            unsigned short unit = (unsigned short)cp;
            Append(b, &unit, sizeof unit);
        }
    }
}

static int xError;

static int OnXError(Display* display, XErrorEvent* event)
{
    (void)display;
    xError = event->error_code;
    return 0;
}

static Atom Intern(Display* d, const char* name) { return XInternAtom(d, name, False); }

static unsigned long AwareVersion(Display* d, Window w, Atom xdndAware)
{
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = NULL;
    unsigned long version = 0;
    xError = 0;
    if (XGetWindowProperty(d, w, xdndAware, 0, 1, False, XA_ATOM, &type, &format, &count, &after, &data) == Success &&
        !xError && type == XA_ATOM && format == 32 && count == 1)
        version = ((unsigned long*)data)[0];
    if (data) XFree(data);
    return version;
}

/* Walks from the root down to the deepest window under the point; the topmost ancestor on
 * that path that announces XdndAware is the one a real drag would talk to. */
static Window FindTarget(Display* d, Window root, int x, int y, Atom xdndAware, unsigned long* version)
{
    Window current = root, child = None;
    int cx, cy;
    while (XTranslateCoordinates(d, root, current, x, y, &cx, &cy, &child) && child != None) {
        current = child;
        unsigned long v = AwareVersion(d, current, xdndAware);
        if (v) {
            *version = v;
            return current;
        }
    }
    return None;
}

static long long NowMs(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (long long)t.tv_sec * 1000 + t.tv_nsec / 1000000;
}

/* Waits for the next event until the deadline; returns 0 on time-out. */
static int NextEvent(Display* d, XEvent* event, long long deadline)
{
    for (;;) {
        if (XPending(d)) {
            XNextEvent(d, event);
            return 1;
        }
        long long left = deadline - NowMs();
        if (left <= 0) return 0;
        struct pollfd pfd = {ConnectionNumber(d), POLLIN, 0};
        if (poll(&pfd, 1, (int)(left > 50 ? 50 : left)) < 0 && errno != EINTR) return 0;
    }
}

struct Offer {
    Atom types[MaxTypes];
    struct Buffer data[MaxTypes];
    int typeCount;
};

/* Lives until exit, so that a leak checker sees it still reachable on every way out. */
static struct Offer offer;

static void AnswerSelectionRequest(Display* d, const XSelectionRequestEvent* request, const struct Offer* offer, Atom targets)
{
    XSelectionEvent reply;
    memset(&reply, 0, sizeof reply);
    reply.type = SelectionNotify;
    reply.display = d;
    reply.requestor = request->requestor;
    reply.selection = request->selection;
    reply.target = request->target;
    reply.time = request->time;
    /* Clients from before ICCCM 2 send no property; the target name then serves as one. */
    Atom property = request->property != None ? request->property : request->target;
    reply.property = None;
    if (request->target == targets) {
        Atom list[MaxTypes + 1];
        list[0] = targets;
        for (int i = 0; i < offer->typeCount; ++i) list[i + 1] = offer->types[i];
        XChangeProperty(d, request->requestor, property, XA_ATOM, 32, PropModeReplace,
                        (unsigned char*)list, offer->typeCount + 1);
        reply.property = property;
    } else {
        for (int i = 0; i < offer->typeCount; ++i) {
            if (offer->types[i] != request->target) continue;
            XChangeProperty(d, request->requestor, property, request->target, 8, PropModeReplace,
                            offer->data[i].data, (int)offer->data[i].size);
            reply.property = property;
            break;
        }
    }
    XSendEvent(d, request->requestor, False, NoEventMask, (XEvent*)&reply);
    XFlush(d);
}

static void SendClientMessage(Display* d, Window target, Atom type, const long data[5])
{
    XClientMessageEvent m;
    memset(&m, 0, sizeof m);
    m.type = ClientMessage;
    m.display = d;
    m.window = target;
    m.message_type = type;
    m.format = 32;
    for (int i = 0; i < 5; ++i) m.data.l[i] = data[i];
    XSendEvent(d, target, False, NoEventMask, (XEvent*)&m);
    XFlush(d);
}

/* A server timestamp: XDND and the selection rules both want real times, not CurrentTime. */
static Time ServerTime(Display* d, Window w)
{
    Atom probe = Intern(d, "XDND_DROP_TIME");
    XEvent e;
    XChangeProperty(d, w, probe, XA_STRING, 8, PropModeAppend, (const unsigned char*)"", 0);
    XWindowEvent(d, w, PropertyChangeMask, &e);
    return e.xproperty.time;
}

static void PrintUsage(void)
{
    fprintf(stderr,
            "usage: xdnd_drop --x X --y Y [--window ID] [--action copy|move|link]\n"
            "                 [--type text/uri-list|text/x-moz-url]... [--title TEXT]\n"
            "                 [--timeout MS] [--status-file PATH] file-or-uri...\n");
}

int main(int argc, char** argv)
{
    long x = -1, y = -1, timeoutMs = 5000;
    unsigned long explicitWindow = 0;
    const char* action = "copy";
    const char* title = NULL;
    const char* typeNames[MaxTypes];
    int typeCount = 0;
    const char* items[MaxItems];
    int itemCount = 0;

    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        int hasValue = i + 1 < argc;
        if (!strcmp(a, "--status-file") && hasValue) statusFile = argv[++i];
        else if (!strcmp(a, "--x") && hasValue) x = strtol(argv[++i], NULL, 0);
        else if (!strcmp(a, "--y") && hasValue) y = strtol(argv[++i], NULL, 0);
        else if (!strcmp(a, "--window") && hasValue) explicitWindow = strtoul(argv[++i], NULL, 0);
        else if (!strcmp(a, "--action") && hasValue) action = argv[++i];
        else if (!strcmp(a, "--title") && hasValue) title = argv[++i];
        else if (!strcmp(a, "--timeout") && hasValue) timeoutMs = strtol(argv[++i], NULL, 0);
        else if (!strcmp(a, "--type") && hasValue) {
            if (typeCount == MaxTypes) return Finish(BadUsage, "too many --type options");
            typeNames[typeCount++] = argv[++i];
        } else if (!strcmp(a, "--")) {
            while (++i < argc && itemCount < MaxItems) items[itemCount++] = argv[i];
        } else if (a[0] == '-' && a[1] == '-') {
            PrintUsage();
            return Finish(BadUsage, "unknown or incomplete option %s", a);
        } else if (itemCount < MaxItems) {
            items[itemCount++] = a;
        } else {
            return Finish(BadUsage, "more than %d items", MaxItems);
        }
    }
    if (x < 0 || y < 0 || itemCount == 0 || timeoutMs <= 0) {
        PrintUsage();
        return Finish(BadUsage, "need --x, --y and at least one file or URI");
    }
    if (typeCount == 0) typeNames[typeCount++] = "text/uri-list";
    const char* actionName = !strcmp(action, "copy") ? "XdndActionCopy"
                             : !strcmp(action, "move") ? "XdndActionMove"
                             : !strcmp(action, "link") ? "XdndActionLink"
                                                       : NULL;
    if (!actionName) return Finish(BadUsage, "unknown action %s", action);

    Display* d = display = XOpenDisplay(NULL);
    if (!d) return Finish(NoTarget, "cannot open display %s", getenv("DISPLAY") ? getenv("DISPLAY") : "(unset)");
    XSetErrorHandler(OnXError);
    Window root = DefaultRootWindow(d);

    Atom xdndAware = Intern(d, "XdndAware"), xdndProxy = Intern(d, "XdndProxy");
    Atom xdndEnter = Intern(d, "XdndEnter"), xdndPosition = Intern(d, "XdndPosition");
    Atom xdndStatus = Intern(d, "XdndStatus"), xdndLeave = Intern(d, "XdndLeave");
    Atom xdndDrop = Intern(d, "XdndDrop"), xdndFinished = Intern(d, "XdndFinished");
    Atom xdndSelection = Intern(d, "XdndSelection"), xdndTypeList = Intern(d, "XdndTypeList");
    Atom targets = Intern(d, "TARGETS"), actionAtom = Intern(d, actionName);

    for (int t = 0; t < typeCount; ++t) {
        struct Buffer* b = &offer.data[t];
        if (!strcmp(typeNames[t], "text/uri-list")) {
            for (int i = 0; i < itemCount; ++i) {
                AppendUri(b, items[i]);
                AppendText(b, "\r\n");
            }
        } else if (!strcmp(typeNames[t], "text/x-moz-url")) {
            for (int i = 0; i < itemCount; ++i) {
                struct Buffer uri = {0};
                AppendUri(&uri, items[i]);
                Append(&uri, "", 1);
                if (i) AppendUtf16(b, "\n");
                AppendUtf16(b, (const char*)uri.data);
                AppendUtf16(b, "\n");
                AppendUtf16(b, title ? title : (const char*)uri.data);
                free(uri.data);
            }
        } else {
            return Finish(BadUsage, "unsupported type %s", typeNames[t]);
        }
        offer.types[offer.typeCount++] = Intern(d, typeNames[t]);
    }

    Window target = None;
    unsigned long version = 0;
    if (explicitWindow) {
        target = (Window)explicitWindow;
        version = AwareVersion(d, target, xdndAware);
        if (!version) return Finish(NoTarget, "window 0x%lx is not XdndAware", explicitWindow);
    } else {
        target = FindTarget(d, root, (int)x, (int)y, xdndAware, &version);
        if (target == None) return Finish(NoTarget, "no XdndAware window at %ld,%ld", x, y);
    }
    if (version > XdndVersion) version = XdndVersion;
    /* A proxy receives the messages, but they still name the real target window. */
    Window messageWindow = target;
    {
        Atom type;
        int format;
        unsigned long count, after;
        unsigned char* data = NULL;
        xError = 0;
        if (XGetWindowProperty(d, target, xdndProxy, 0, 1, False, XA_WINDOW, &type, &format, &count, &after, &data) ==
                Success && !xError && type == XA_WINDOW && count == 1)
            messageWindow = (Window)((unsigned long*)data)[0];
        if (data) XFree(data);
    }

    Window source = XCreateSimpleWindow(d, root, 0, 0, 1, 1, 0, 0, 0);
    XSelectInput(d, source, PropertyChangeMask);
    XChangeProperty(d, source, xdndTypeList, XA_ATOM, 32, PropModeReplace, (unsigned char*)offer.types, offer.typeCount);
    Time time = ServerTime(d, source);
    XSetSelectionOwner(d, xdndSelection, source, time);
    if (XGetSelectionOwner(d, xdndSelection) != source) return Finish(Failed, "cannot own XdndSelection");

    /* The type list is always announced as a property, as browsers with their many types
     * do: Wine 8 reads all three type slots of the message and, when one of them is None,
     * imports nothing but the formats it knows by itself (no text/x-moz-url). */
    long enter[5] = {(long)source, (long)(version << 24) | 1, 0, 0, 0};
    for (int i = 0; i < offer.typeCount && i < 3; ++i) enter[2 + i] = (long)offer.types[i];
    SendClientMessage(d, messageWindow, xdndEnter, enter);
    long position[5] = {(long)source, 0, (x << 16) | (y & 0xFFFF), (long)time, (long)actionAtom};
    SendClientMessage(d, messageWindow, xdndPosition, position);

    enum { AwaitStatus, AwaitFinished } phase = AwaitStatus;
    long long deadline = NowMs() + timeoutMs;
    XEvent event;
    while (NextEvent(d, &event, deadline)) {
        if (event.type == SelectionRequest) {
            AnswerSelectionRequest(d, &event.xselectionrequest, &offer, targets);
            continue;
        }
        if (event.type != ClientMessage || (Window)event.xclient.data.l[0] != target) continue;
        const long* l = event.xclient.data.l;
        if (phase == AwaitStatus && event.xclient.message_type == xdndStatus) {
            if (!(l[1] & 1)) {
                long leave[5] = {(long)source, 0, 0, 0, 0};
                SendClientMessage(d, messageWindow, xdndLeave, leave);
                return Finish(Refused, "window 0x%lx refused the drop at %ld,%ld", (unsigned long)target, x, y);
            }
            long drop[5] = {(long)source, 0, (long)time, 0, 0};
            SendClientMessage(d, messageWindow, xdndDrop, drop);
            phase = AwaitFinished;
            deadline = NowMs() + timeoutMs;
        } else if (phase == AwaitFinished && event.xclient.message_type == xdndFinished) {
            /* Before version 5 the finished message carries no success flag. */
            if (version >= 5 && !(l[1] & 1))
                return Finish(Failed, "window 0x%lx finished the drop without success", (unsigned long)target);
            return Finish(Dropped, "dropped %d item(s) on window 0x%lx", itemCount, (unsigned long)target);
        }
    }
    if (phase == AwaitStatus) {
        long leave[5] = {(long)source, 0, 0, 0, 0};
        SendClientMessage(d, messageWindow, xdndLeave, leave);
    }
    return Finish(TimedOut, "no %s from window 0x%lx within %ld ms",
                  phase == AwaitStatus ? "XdndStatus" : "XdndFinished", (unsigned long)target, timeoutMs);
}
