// The end-to-end driver: acts on the real windows of another process as a person would and
// reads them back. Each argument is one command; the first failing command ends the run with
// exit code 1 and a line starting "FAIL".
//
//   window CAPTION            wait for a visible top-level window with this caption; use it
//   gone CAPTION              wait until no visible window has this caption
//   shown CAPTION = 0|1       wait until such a window is (not) visible
//   click SEL                 click a control (SEL: kind#n, kind:Caption, kind~part, or
//                             kind@Label: the first control of the kind after that visible
//                             label or frame caption)
//   type SEL = TEXT           type characters into an edit or combo box
//   retype SEL = TEXT         select all of an edit or combo box and type TEXT over it, one
//                             character at a time (an empty TEXT deletes what was there)
//   key SEL = CODE            press a key (13 = Enter) in a control
//   select SEL = N            pick item N (0-based) of a combo box (arrow keys) or click line N
//                             of a list box
//   addselect SEL = N         Ctrl+click line N of a list box: added to the selection
//   tab SEL = N               select tab N (0-based) of a tab strip
//   row SEL = N               click data row N (1-based) of a grid
//   clickms SEL               click a button; prints how long the program took to handle it
//   text SEL = TEXT           wait until the control's text is TEXT
//   starts SEL = TEXT         wait until the control's text begins with TEXT
//   visible SEL = 0|1         wait until the control is (not) visible
//   enabled SEL = 0|1         wait until the control is (not) enabled
//   checked SEL = 0|1         wait until a check or option box is (not) checked
//   cell SEL = R,C,TEXT       wait until grid cell R,C (row 0 = header) reads TEXT
//   cellstarts SEL = R,C,TEXT wait until grid cell R,C begins with TEXT
//   items SEL = A|B|C         wait until a list or combo box holds exactly these items
//   read SEL                  print the control's text
//   caption = TEXT            wait until the current window's caption is TEXT
//   close                     ask the current window to close (as its close box does)
//   topmost CAPTION = 0|1     wait until the window is (not) topmost
//   foreground = CAPTION      wait until the foreground window has this caption
//   clip                      print the cursor clip rectangle
//   cursor = X,Y              put the pointer at X,Y (screen pixels); prints where it went
//   rect                      print the current window's rectangle
//   crect SEL                 print a control's rectangle on the screen
//   mouse SEL = down|up|move,X,Y   a mouse message at client pixel X,Y of the control
//   dump                      print the current window's controls
//   windows                   print every visible top-level window (all-windows: hidden too)
//   share PORT                try to bind a UDP socket to PORT, sharing it as SO_REUSEADDR
//                             asks; prints "bound" or "refused"
//   regtext KEY NAME = TEXT   wait until the scrambled text value NAME of HKLM\KEY reads TEXT
//   regsettext KEY NAME = TEXT    store TEXT scrambled as the text value NAME of HKLM\KEY
//   keysddl KEY               print who may do what with HKLM\KEY (its DACL in SDDL)
//   subkeysddl KEY            the same for HKLM\KEY, read by name (GetNamedSecurityInfo)
//   keywatch FILE = MS        for MS, write the virtual key code of every key pressed in the
//                             session to FILE, one a line, as a keyboard hook set before the
//                             program's sees them (a key the program swallows never arrives)
//   host TITLE = MS           open a window titled TITLE in the foreground and wait up to MS
//                             for it to be closed; prints "closed after N ms"
//   stays TITLE = MS          the same window, which must still be open after MS
//   timeout MS                wait at most MS for every later command (default 10000)
//   sleep MS                  wait
#include <windows.h>

#include <aclapi.h>
#include <winsock2.h>

#include <commctrl.h>
#include <sddl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "settings/scrambler.h"

namespace {

DWORD g_timeout = 10000;
HWND g_window = nullptr;

[[noreturn]] void fail(const std::string& why) {
    std::printf("FAIL: %s\n", why.c_str());
    std::fflush(stdout);
    std::exit(1);
}

std::string text_of(HWND h) {
    char buffer[4096] = {};
    SendMessageTimeoutA(h, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer),
                        SMTO_ABORTIFHUNG, 2000, nullptr);
    return buffer;
}

std::string class_of(HWND h) {
    char buffer[256] = {};
    GetClassNameA(h, buffer, sizeof buffer);
    return buffer;
}

bool wait_for(const std::function<bool()>& done) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (done()) {
            return true;
        }
        if (GetTickCount() - start > g_timeout) {
            return false;
        }
        Sleep(15);
    }
}

std::vector<HWND> top_windows(const std::string& caption, bool visible_only) {
    struct Search {
        std::string caption;
        bool visible_only;
        std::vector<HWND> found;
    } search{caption, visible_only, {}};
    EnumWindows(
        [](HWND h, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            if ((!s->visible_only || IsWindowVisible(h)) && text_of(h) == s->caption) {
                s->found.push_back(h);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string kind_of(HWND h) {
    const std::string cls = class_of(h);
    const LONG style = GetWindowLongA(h, GWL_STYLE);
    if (cls == "Button") {
        switch (style & BS_TYPEMASK) {
            case BS_CHECKBOX:
            case BS_AUTOCHECKBOX:
            case BS_3STATE:
            case BS_AUTO3STATE:
                return "check";
            case BS_RADIOBUTTON:
            case BS_AUTORADIOBUTTON:
                return "option";
            case BS_GROUPBOX:
                return "frame";
            default:
                return "button";
        }
    }
    if (cls == "Static")
        return (style & SS_TYPEMASK) == SS_BITMAP ? "image" : "label";
    if (cls == "Edit")
        return class_of(GetParent(h)) == "ComboBox" ? "" : "edit";
    if (cls == "ComboBox")
        return "combo";
    if (cls == "ListBox")
        return "list";
    if (cls == "SysTabControl32")
        return "tab";
    if (cls == "SysListView32")
        return "grid";
    return "";
}

// The controls of the current window in creation order (their ids).
std::vector<HWND> controls() {
    std::vector<HWND> all;
    EnumChildWindows(
        g_window,
        [](HWND h, LPARAM p) -> BOOL {
            if (GetParent(h) == g_window || class_of(GetParent(h)) != "ComboBox") {
                // The program's controls, and the system dialogs' OK, Cancel, Yes and No.
                const int id = GetDlgCtrlID(h);
                if (!kind_of(h).empty() && (id >= 1000 || (id >= IDOK && id <= IDNO))) {
                    reinterpret_cast<std::vector<HWND>*>(p)->push_back(h);
                }
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&all));
    std::sort(all.begin(), all.end(),
              [](HWND a, HWND b) { return GetDlgCtrlID(a) < GetDlgCtrlID(b); });
    return all;
}

HWND find_control(const std::string& selector) {
    if (g_window == nullptr)
        fail("no window selected");
    const auto sep = selector.find_first_of("#:~@");
    if (sep == std::string::npos)
        fail("bad selector " + selector);
    const std::string kind = selector.substr(0, sep);
    const char how = selector[sep];
    const std::string what = selector.substr(sep + 1);
    HWND found = nullptr;
    wait_for([&] {
        int n = 0;
        bool after_label = false;
        for (HWND h : controls()) {
            const std::string k = kind_of(h);
            if (how == '@' && (k == "label" || k == "frame") && text_of(h) == what &&
                IsWindowVisible(h)) {
                after_label = true;
                continue;
            }
            if (kind_of(h) != kind)
                continue;
            if (after_label) {
                found = h;
                return true;
            }
            ++n;
            const std::string t = text_of(h);
            if ((how == '#' && n == std::atoi(what.c_str())) || (how == ':' && t == what) ||
                (how == '~' && t.find(what) != std::string::npos)) {
                found = h;
                return true;
            }
        }
        return false;
    });
    if (found == nullptr)
        fail("no control " + selector + " in '" + text_of(g_window) + "'");
    return found;
}

// Memory in the other process, for the messages that carry pointers.
class Remote {
  public:
    Remote(HWND h, std::size_t size) : size_(size) {
        DWORD pid = 0;
        GetWindowThreadProcessId(h, &pid);
        process_ =
            OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (process_ == nullptr)
            fail("cannot open the window's process");
        memory_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
        if (memory_ == nullptr)
            fail("cannot allocate in the window's process");
    }
    ~Remote() {
        VirtualFreeEx(process_, memory_, 0, MEM_RELEASE);
        CloseHandle(process_);
    }
    Remote(const Remote&) = delete;
    Remote& operator=(const Remote&) = delete;
    char* at(std::size_t offset) const { return static_cast<char*>(memory_) + offset; }
    void write(std::size_t offset, const void* data, std::size_t n) const {
        WriteProcessMemory(process_, at(offset), data, n, nullptr);
    }
    void read(std::size_t offset, void* data, std::size_t n) const {
        ReadProcessMemory(process_, at(offset), data, n, nullptr);
    }

  private:
    HANDLE process_ = nullptr;
    void* memory_ = nullptr;
    std::size_t size_;
};

std::string grid_cell(HWND grid, int row, int col) {
    Remote remote(grid, 8192);
    char buffer[4096] = {};
    if (row == 0) {
        HWND header = reinterpret_cast<HWND>(SendMessageA(grid, LVM_GETHEADER, 0, 0));
        HDITEMA item{};
        item.mask = HDI_TEXT;
        item.pszText = remote.at(1024);
        item.cchTextMax = 4000;
        remote.write(0, &item, sizeof item);
        SendMessageA(header, HDM_GETITEMA, static_cast<WPARAM>(col),
                     reinterpret_cast<LPARAM>(remote.at(0)));
    } else {
        LVITEMA item{};
        item.iSubItem = col;
        item.pszText = remote.at(1024);
        item.cchTextMax = 4000;
        remote.write(0, &item, sizeof item);
        SendMessageA(grid, LVM_GETITEMTEXTA, static_cast<WPARAM>(row - 1),
                     reinterpret_cast<LPARAM>(remote.at(0)));
    }
    remote.read(1024, buffer, sizeof buffer - 1);
    return buffer;
}

std::vector<std::string> items_of(HWND h) {
    std::vector<std::string> out;
    const bool combo = kind_of(h) == "combo";
    const auto n = SendMessageA(h, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < n; ++i) {
        // Wine passes the ANSI form of these across processes cut short; the wide one is whole.
        wchar_t wide[4096] = {};
        SendMessageW(h, combo ? CB_GETLBTEXT : LB_GETTEXT, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(wide));
        char buffer[8192] = {};
        WideCharToMultiByte(CP_ACP, 0, wide, -1, buffer, sizeof buffer, nullptr, nullptr);
        out.emplace_back(buffer);
    }
    return out;
}

HWND typing_window(HWND h) {
    // The edit box inside an editable combo box. (GetComboBoxInfo would hand the other
    // process a pointer into this one, which it then writes to in its own memory.)
    if (kind_of(h) == "combo") {
        if (HWND edit = FindWindowExA(h, nullptr, "Edit", nullptr)) {
            return edit;
        }
    }
    return h;
}

void settle();

// A click into the box, as a person gives it the focus before typing: the box takes the focus
// itself (a WM_SETFOCUS sent from outside would leave the window system believing otherwise).
void click_into(HWND h) {
    RECT r{};
    GetClientRect(h, &r);
    const LPARAM at = MAKELPARAM(r.right - 2, r.bottom / 2);
    PostMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(h, WM_LBUTTONUP, 0, at);
    settle();
}

void settle() {
    // Posted input is handled by the other process's loop; let it catch up.
    DWORD_PTR result = 0;
    SendMessageTimeoutA(g_window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &result);
}

// Another program's window: shown in the foreground, closed by whoever asks it to close.
// `must_close`: it has to be closed within the limit, else it has to stay open for it.
void host_window(const std::string& title, DWORD limit, bool must_close) {
    static bool closed = false;
    closed = false;
    WNDCLASSA wc{};
    wc.lpfnWndProc = [](HWND h, UINT msg, WPARAM wp, LPARAM lp) -> LRESULT {
        if (msg == WM_CLOSE) {
            closed = true;
            DestroyWindow(h);
            return 0;
        }
        return DefWindowProcA(h, msg, wp, lp);
    };
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "VardexTestHostWindow";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    RegisterClassA(&wc);
    HWND h = CreateWindowExA(0, wc.lpszClassName, title.c_str(), WS_OVERLAPPEDWINDOW, 200, 200, 400,
                             300, nullptr, nullptr, wc.hInstance, nullptr);
    if (h == nullptr)
        fail("cannot create the window '" + title + "'");
    ShowWindow(h, SW_SHOW);
    SetForegroundWindow(h);
    // A window that never came to the front proves nothing either way.
    if (!must_close && !wait_for([h] { return GetForegroundWindow() == h; }))
        fail("window '" + title + "' did not come to the foreground");
    const DWORD start = GetTickCount();
    while (!closed && GetTickCount() - start < limit) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (!closed)
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    if (!must_close) {
        if (closed)
            fail("window '" + title + "' was closed after " +
                 std::to_string(GetTickCount() - start) + " ms");
        DestroyWindow(h);
        std::printf("stayed %lu ms\n", GetTickCount() - start);
        return;
    }
    if (!closed) {
        DestroyWindow(h);
        fail("window '" + title + "' was not closed within " + std::to_string(limit) + " ms");
    }
    std::printf("closed after %lu ms\n", GetTickCount() - start);
}

void expect(bool ok, const std::string& what) {
    if (!ok)
        fail(what);
}

void run(const std::string& command) {
    std::string verb = command;
    std::string arg;
    std::string value;
    if (auto sp = command.find(' '); sp != std::string::npos) {
        verb = command.substr(0, sp);
        arg = command.substr(sp + 1);
    }
    if (auto eq = arg.find(" = "); eq != std::string::npos) {
        value = arg.substr(eq + 3);
        arg = arg.substr(0, eq);
    } else if (arg.rfind("= ", 0) == 0) {
        value = arg.substr(2);
        arg.clear();
    }

    if (verb == "timeout") {
        g_timeout = static_cast<DWORD>(std::atoi(arg.c_str()));
    } else if (verb == "sleep") {
        Sleep(static_cast<DWORD>(std::atoi(arg.c_str())));
    } else if (verb == "window") {
        expect(wait_for([&] {
                   auto found = top_windows(arg, true);
                   g_window = found.empty() ? nullptr : found.front();
                   return g_window != nullptr;
               }),
               "no visible window '" + arg + "'");
    } else if (verb == "gone") {
        expect(wait_for([&] { return top_windows(arg, true).empty(); }),
               "window '" + arg + "' stays");
    } else if (verb == "shown") {
        const bool want = value == "1";
        expect(wait_for([&] { return top_windows(arg, true).empty() != want; }),
               "window '" + arg + "' visible is not " + value);
    } else if (verb == "click") {
        HWND h = find_control(arg);
        expect(IsWindowVisible(h) && IsWindowEnabled(h), "control " + arg + " cannot be used");
        const std::string kind = kind_of(h);
        if (kind == "button" || kind == "check" || kind == "option") {
            // A click that opens a modal dialog (a file dialog, a question) returns only when
            // that dialog closes: the driver waits a second for it, then goes on.
            DWORD_PTR result = 0;
            SendMessageTimeoutA(h, BM_CLICK, 0, 0, SMTO_NORMAL, 1000, &result);
        } else {
            RECT r{};
            GetClientRect(h, &r);
            const LPARAM at = MAKELPARAM(r.right / 2, r.bottom / 2);
            PostMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, at);
            PostMessageA(h, WM_LBUTTONUP, 0, at);
        }
        settle();
    } else if (verb == "type") {
        HWND h = typing_window(find_control(arg));
        click_into(h);
        // Each character handled before the next, as the keyboard's queue hands them out: a
        // posted one could be overtaken by the driver's next click, which no person's can.
        for (unsigned char c : value) {
            SendMessageA(h, WM_CHAR, c, 1);
        }
        settle();
    } else if (verb == "retype") {
        // As a person does: the whole text selected, then typed over; each character raises
        // the box's own change notifications.
        HWND h = typing_window(find_control(arg));
        click_into(h);
        // The click is posted and may land after the selection: a person who sees the text
        // come out wrong selects it all again and types it again.
        for (int attempt = 0; attempt < 3; ++attempt) {
            SendMessageA(h, EM_SETSEL, 0, -1);
            if (value.empty()) {
                SendMessageA(h, WM_CHAR, VK_BACK, 1);
            }
            for (unsigned char c : value) {
                SendMessageA(h, WM_CHAR, c, 1);
            }
            settle();
            if (text_of(h) == value) {
                break;
            }
        }
    } else if (verb == "key") {
        HWND h = typing_window(find_control(arg));
        click_into(h);
        const int code = std::atoi(value.c_str());
        PostMessageA(h, WM_KEYDOWN, static_cast<WPARAM>(code), 1);
        PostMessageA(h, WM_CHAR, static_cast<WPARAM>(code), 1);
        PostMessageA(h, WM_KEYUP, static_cast<WPARAM>(code), 0xC0000001);
        settle();
    } else if (verb == "select" || verb == "addselect") {
        HWND h = find_control(arg);
        const int n = std::atoi(value.c_str());
        if (kind_of(h) == "combo") {
            // Arrow keys in the box, as a person picks without opening the list.
            // A list-only combo opens its list at the click; Enter closes it on the pick.
            HWND keys = typing_window(h);
            const bool list_only = keys == h;
            click_into(keys);
            expect(wait_for([&] {
                       const LRESULT current = SendMessageA(h, CB_GETCURSEL, 0, 0);
                       if (current == n)
                           return true;
                       const WPARAM key = current < n ? VK_DOWN : VK_UP;
                       // Handled to its end before the selection is read again: a key still
                       // queued would be pressed twice.
                       SendMessageA(keys, WM_KEYDOWN, key, 1);
                       SendMessageA(keys, WM_KEYUP, key, 0xC0000001);
                       settle();
                       return SendMessageA(h, CB_GETCURSEL, 0, 0) == n;
                   }),
                   "cannot select item " + value);
            if (list_only) {
                PostMessageA(keys, WM_KEYDOWN, VK_RETURN, 1);
                PostMessageA(keys, WM_KEYUP, VK_RETURN, 0xC0000001);
            }
        } else {
            // A click on the line; with Ctrl held it is added to the lines already selected.
            // Where the line is, from messages that carry no pointers.
            if (n >= SendMessageA(h, LB_GETCOUNT, 0, 0))
                fail("no line " + value);
            SendMessageA(h, LB_SETTOPINDEX, static_cast<WPARAM>(n), 0);
            const LRESULT top = SendMessageA(h, LB_GETTOPINDEX, 0, 0);
            const LRESULT height = SendMessageA(h, LB_GETITEMHEIGHT, 0, 0);
            RECT client{};
            GetClientRect(h, &client);
            const LPARAM at = MAKELPARAM(client.right / 2, (n - top) * height + height / 2);
            const WPARAM keys = verb == "addselect" ? MK_CONTROL : 0;
            PostMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON | keys, at);
            PostMessageA(h, WM_LBUTTONUP, keys, at);
        }
        settle();
    } else if (verb == "tab") {
        // Arrow keys, as a person would press them: the tab strip then tells its form itself.
        HWND h = find_control(arg);
        const LRESULT want = std::atoi(value.c_str());
        expect(wait_for([&] {
                   const LRESULT current = SendMessageA(h, TCM_GETCURSEL, 0, 0);
                   if (current == want)
                       return true;
                   const WPARAM key = current < want ? VK_RIGHT : VK_LEFT;
                   // Handled to its end before the tab is read again (see "select").
                   SendMessageA(h, WM_KEYDOWN, key, 1);
                   SendMessageA(h, WM_KEYUP, key, 0xC0000001);
                   settle();
                   return false;
               }),
               "tab " + value + " cannot be selected");
        settle();
    } else if (verb == "row") {
        // A click on the row, scrolled into view first as a person would.
        HWND h = find_control(arg);
        const int index = std::atoi(value.c_str()) - 1;
        SendMessageA(h, LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
        Remote remote(h, sizeof(RECT));
        RECT r{};
        r.left = LVIR_BOUNDS;
        remote.write(0, &r, sizeof r);
        expect(SendMessageA(h, LVM_GETITEMRECT, static_cast<WPARAM>(index),
                            reinterpret_cast<LPARAM>(remote.at(0))) != 0,
               "no row " + value);
        remote.read(0, &r, sizeof r);
        const LPARAM at = MAKELPARAM(r.left + 20, (r.top + r.bottom) / 2);
        PostMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageA(h, WM_LBUTTONUP, 0, at);
        settle();
    } else if (verb == "text") {
        HWND h = find_control(arg);
        expect(wait_for([&] { return text_of(h) == value; }),
               arg + " reads '" + text_of(h) + "', not '" + value + "'");
    } else if (verb == "starts") {
        HWND h = find_control(arg);
        expect(wait_for([&] { return text_of(h).rfind(value, 0) == 0; }),
               arg + " reads '" + text_of(h) + "', which does not begin with '" + value + "'");
    } else if (verb == "visible") {
        HWND h = find_control(arg);
        expect(wait_for([&] { return (IsWindowVisible(h) != FALSE) == (value == "1"); }),
               arg + " visible is not " + value);
    } else if (verb == "enabled") {
        HWND h = find_control(arg);
        expect(wait_for([&] { return (IsWindowEnabled(h) != FALSE) == (value == "1"); }),
               arg + " enabled is not " + value);
    } else if (verb == "checked") {
        HWND h = find_control(arg);
        expect(wait_for([&] {
                   return (SendMessageA(h, BM_GETCHECK, 0, 0) == BST_CHECKED) == (value == "1");
               }),
               arg + " checked is not " + value);
    } else if (verb == "cell") {
        HWND h = find_control(arg);
        const auto c1 = value.find(',');
        const auto c2 = value.find(',', c1 + 1);
        const int row = std::atoi(value.substr(0, c1).c_str());
        const int col = std::atoi(value.substr(c1 + 1, c2 - c1 - 1).c_str());
        const std::string want = value.substr(c2 + 1);
        expect(wait_for([&] { return grid_cell(h, row, col) == want; }),
               "cell " + std::to_string(row) + "," + std::to_string(col) + " reads '" +
                   grid_cell(h, row, col) + "'");
    } else if (verb == "cellstarts") {
        HWND h = find_control(arg);
        const auto c1 = value.find(',');
        const auto c2 = value.find(',', c1 + 1);
        const int row = std::atoi(value.substr(0, c1).c_str());
        const int col = std::atoi(value.substr(c1 + 1, c2 - c1 - 1).c_str());
        const std::string want = value.substr(c2 + 1);
        expect(wait_for([&] { return grid_cell(h, row, col).rfind(want, 0) == 0; }),
               "cell " + std::to_string(row) + "," + std::to_string(col) + " reads '" +
                   grid_cell(h, row, col) + "', which does not begin with '" + want + "'");
    } else if (verb == "clickms") {
        // How long the program takes to handle a click on a button.
        HWND h = find_control(arg);
        expect(IsWindowVisible(h) && IsWindowEnabled(h), "control " + arg + " cannot be used");
        LARGE_INTEGER f, a, b;
        QueryPerformanceFrequency(&f);
        QueryPerformanceCounter(&a);
        DWORD_PTR result = 0;
        SendMessageTimeoutA(h, BM_CLICK, 0, 0, SMTO_NORMAL, 5000, &result);
        QueryPerformanceCounter(&b);
        std::printf("click handled in %.1f ms\n", 1000.0 *
                                                      static_cast<double>(b.QuadPart - a.QuadPart) /
                                                      static_cast<double>(f.QuadPart));
        settle();
    } else if (verb == "items") {
        HWND h = find_control(arg);
        std::vector<std::string> want;
        std::size_t start = 0;
        while (!value.empty()) {
            const auto bar = value.find('|', start);
            want.push_back(value.substr(start, bar - start));
            if (bar == std::string::npos)
                break;
            start = bar + 1;
        }
        if (!wait_for([&] { return items_of(h) == want; })) {
            std::string got;
            for (const auto& item : items_of(h))
                got += (got.empty() ? "" : "|") + item;
            fail(arg + " holds '" + got + "'");
        }
    } else if (verb == "read") {
        std::printf("%s\n", text_of(find_control(arg)).c_str());
    } else if (verb == "caption") {
        expect(wait_for([&] { return text_of(g_window) == value; }),
               "caption reads '" + text_of(g_window) + "'");
    } else if (verb == "close") {
        PostMessageA(g_window, WM_SYSCOMMAND, SC_CLOSE, 0);
        settle();
    } else if (verb == "topmost") {
        const bool want = value == "1";
        expect(wait_for([&] {
                   auto found = top_windows(arg, false);
                   return !found.empty() && ((GetWindowLongA(found.front(), GWL_EXSTYLE) &
                                              WS_EX_TOPMOST) != 0) == want;
               }),
               "window '" + arg + "' topmost is not " + value);
    } else if (verb == "foreground") {
        expect(wait_for([&] { return text_of(GetForegroundWindow()) == value; }),
               "foreground is '" + text_of(GetForegroundWindow()) + "'");
    } else if (verb == "clip") {
        RECT r{};
        GetClipCursor(&r);
        std::printf("clip %ld,%ld,%ld,%ld\n", r.left, r.top, r.right, r.bottom);
    } else if (verb == "cursor") {
        int x = 0, y = 0;
        std::sscanf(value.c_str(), "%d,%d", &x, &y);
        SetCursorPos(x, y);
        POINT p{};
        GetCursorPos(&p);
        std::printf("cursor %ld,%ld\n", p.x, p.y);
    } else if (verb == "rect") {
        RECT r{};
        GetWindowRect(g_window, &r);
        std::printf("rect %ld,%ld,%ld,%ld\n", r.left, r.top, r.right, r.bottom);
    } else if (verb == "crect") {
        RECT r{};
        GetWindowRect(find_control(arg), &r);
        std::printf("crect %ld,%ld,%ld,%ld\n", r.left, r.top, r.right, r.bottom);
    } else if (verb == "mouse") {
        HWND h = find_control(arg);
        char what[16] = {};
        int x = 0, y = 0;
        std::sscanf(value.c_str(), "%15[a-z],%d,%d", what, &x, &y);
        const std::string w = what;
        const UINT msg = w == "down" ? WM_LBUTTONDOWN : w == "up" ? WM_LBUTTONUP : WM_MOUSEMOVE;
        PostMessageA(h, msg, w == "up" ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
        settle();
    } else if (verb == "regtext") {
        const auto sp = arg.rfind(' ');
        const std::string key = arg.substr(0, sp);
        const std::string name = arg.substr(sp + 1);
        std::string got = "<missing>";
        const bool ok = wait_for([&] {
            HKEY h = nullptr;
            got = "<missing>";
            if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_QUERY_VALUE, &h) !=
                ERROR_SUCCESS) {
                return false;
            }
            char buffer[4096] = {};
            DWORD size = sizeof buffer - 1;
            DWORD type = 0;
            if (RegQueryValueExA(h, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer),
                                 &size) == ERROR_SUCCESS) {
                got = vardex::unscramble_text(buffer);
            }
            RegCloseKey(h);
            return got == value;
        });
        expect(ok, "HKLM\\" + key + " " + name + " reads '" + got + "'");
    } else if (verb == "regsettext") {
        const auto sp = arg.rfind(' ');
        HKEY h = nullptr;
        expect(RegCreateKeyExA(HKEY_LOCAL_MACHINE, arg.substr(0, sp).c_str(), 0, nullptr, 0,
                               KEY_ALL_ACCESS, nullptr, &h, nullptr) == ERROR_SUCCESS,
               "cannot open HKLM\\" + arg.substr(0, sp));
        const std::string scrambled = vardex::scramble_text(value);
        RegSetValueExA(h, arg.substr(sp + 1).c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(scrambled.c_str()),
                       static_cast<DWORD>(scrambled.size() + 1));
        RegCloseKey(h);
    } else if (verb == "keysddl") {
        HKEY h = nullptr;
        expect(RegOpenKeyExA(HKEY_LOCAL_MACHINE, arg.c_str(), 0, READ_CONTROL, &h) == ERROR_SUCCESS,
               "cannot open HKLM\\" + arg);
        DWORD size = 0;
        RegGetKeySecurity(h, DACL_SECURITY_INFORMATION, nullptr, &size);
        std::vector<BYTE> descriptor(size);
        LPSTR text = nullptr;
        const bool read =
            RegGetKeySecurity(h, DACL_SECURITY_INFORMATION, descriptor.data(), &size) ==
                ERROR_SUCCESS &&
            ConvertSecurityDescriptorToStringSecurityDescriptorA(
                descriptor.data(), SDDL_REVISION_1, DACL_SECURITY_INFORMATION, &text, nullptr);
        RegCloseKey(h);
        expect(read, "cannot read the permissions of HKLM\\" + arg);
        std::printf("%s\n", text);
        LocalFree(text);
    } else if (verb == "subkeysddl") {
        // The DACL of a key below HKLM, read by its name as other programs read it.
        PACL dacl = nullptr;
        PSECURITY_DESCRIPTOR sd = nullptr;
        std::string name = "MACHINE\\" + arg;
        expect(GetNamedSecurityInfoA(name.data(), SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION,
                                     nullptr, nullptr, &dacl, nullptr, &sd) == ERROR_SUCCESS,
               "cannot read the permissions of " + arg);
        LPSTR text = nullptr;
        expect(ConvertSecurityDescriptorToStringSecurityDescriptorA(
                   sd, SDDL_REVISION_1, DACL_SECURITY_INFORMATION, &text, nullptr),
               "cannot write the permissions of " + arg);
        std::printf("%s\n", text);
        LocalFree(text);
        LocalFree(sd);
    } else if (verb == "keywatch") {
        static FILE* seen = nullptr;
        seen = std::fopen(arg.c_str(), "wb");
        expect(seen != nullptr, "cannot write " + arg);
        HHOOK hook = SetWindowsHookExA(
            WH_KEYBOARD_LL,
            [](int code, WPARAM wp, LPARAM lp) -> LRESULT {
                if (code == HC_ACTION && (wp == WM_KEYDOWN || wp == WM_SYSKEYDOWN)) {
                    std::fprintf(seen, "%lu\n",
                                 static_cast<unsigned long>(
                                     reinterpret_cast<const KBDLLHOOKSTRUCT*>(lp)->vkCode));
                    std::fflush(seen);
                }
                return CallNextHookEx(nullptr, code, wp, lp);
            },
            GetModuleHandleA(nullptr), 0);
        expect(hook != nullptr, "no keyboard hook");
        const DWORD end = GetTickCount() + static_cast<DWORD>(std::atoi(value.c_str()));
        while (GetTickCount() < end) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                DispatchMessageA(&msg);
            }
        }
        UnhookWindowsHookEx(hook);
        std::fclose(seen);
    } else if (verb == "host" || verb == "stays") {
        host_window(arg, static_cast<DWORD>(std::atoi(value.c_str())), verb == "host");
    } else if (verb == "dump") {
        for (HWND h : controls()) {
            std::printf("%d %s '%s' visible=%d enabled=%d\n", GetDlgCtrlID(h), kind_of(h).c_str(),
                        text_of(h).c_str(), IsWindowVisible(h) ? 1 : 0, IsWindowEnabled(h) ? 1 : 0);
        }
    } else if (verb == "share") {
        WSADATA wsa;
        WSAStartup(MAKEWORD(2, 2), &wsa);
        const SOCKET s = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
        const BOOL on = TRUE;
        setsockopt(s, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&on), sizeof on);
        sockaddr_in local{};
        local.sin_family = AF_INET;
        local.sin_addr.s_addr = htonl(INADDR_ANY);
        local.sin_port = htons(static_cast<u_short>(std::atoi(arg.c_str())));
        const bool bound = bind(s, reinterpret_cast<sockaddr*>(&local), sizeof local) == 0;
        std::printf("%s\n", bound ? "bound" : "refused");
        closesocket(s);
        WSACleanup();
    } else if (verb == "windows" || verb == "all-windows") {
        static bool all = false;
        all = verb == "all-windows";
        EnumWindows(
            [](HWND h, LPARAM) -> BOOL {
                if (all || IsWindowVisible(h)) {
                    RECT r{};
                    GetWindowRect(h, &r);
                    std::printf("'%s' [%s] %ld,%ld,%ld,%ld topmost=%d\n", text_of(h).c_str(),
                                class_of(h).c_str(), r.left, r.top, r.right, r.bottom,
                                (GetWindowLongA(h, GWL_EXSTYLE) & WS_EX_TOPMOST) ? 1 : 0);
                }
                return TRUE;
            },
            0);
    } else {
        fail("unknown command " + verb);
    }
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        run(argv[i]);
    }
    std::printf("ok\n");
    return 0;
}
