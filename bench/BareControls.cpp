// The second yardstick of bench/StartupTimeBench.cpp: a window of the main window's size holding the
// standard controls the main window shows (the list view with its four columns and 20 rows, the two
// edits with their labels, the four buttons, the status line), in the same fonts, painted once. What
// Tellurin takes beyond it is Tellurin's own.
// How to run: it is started by startup_time (bench/run.sh startup_time); alone: wine bin/bare_controls.exe
#include <windows.h>
#include <commctrl.h>

#include <string>

namespace {

constexpr int kRows = 20;

LRESULT CALLBACK BareProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HFONT Font(const char* face, int characterHeight, bool bold = false) {
    LOGFONTA font{};
    font.lfHeight = -characterHeight;
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(font.lfFaceName, face, LF_FACESIZE);
    return CreateFontIndirectA(&font);
}

HWND Control(HWND parent,
             const char* kind,
             const char* text,
             DWORD style,
             RECT box,
             HFONT font,
             DWORD extended = 0) {
    HWND control = CreateWindowExA(extended, kind, text, WS_CHILD | WS_VISIBLE | style, box.left, box.top,
                                   box.right - box.left, box.bottom - box.top, parent, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

void FillList(HWND list) {
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_FLATSB);
    const char* titles[] = {"App Name", "App Path", "Location", "Status"};
    const int widths[] = {120, 313, 85, 70};
    for (int column = 0; column < 4; ++column) {
        LVCOLUMNA spec{};
        spec.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        spec.pszText = const_cast<char*>(titles[column]);
        spec.cx = widths[column];
        spec.iSubItem = column;
        SendMessageA(list, LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&spec));
    }
    for (int row = 0; row < kRows; ++row) {
        const std::string name = "TellurinStartBench" + std::to_string(row + 1);
        const std::string path =
            "\"C:\\Program Files\\Start\\tool" + std::to_string(row + 1) + ".exe\" /tray";
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = const_cast<char*>(name.c_str());
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        const char* cells[] = {path.c_str(), "HKLM_Run", "Enabled"};
        for (int column = 1; column < 4; ++column) {
            item.iSubItem = column;
            item.pszText = const_cast<char*>(cells[column - 1]);
            SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
        }
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = BareProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "BareControls";
    RegisterClassA(&windowClass);
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame{0, 0, 741, 525};
    AdjustWindowRect(&frame, style, FALSE);
    HWND window =
        CreateWindowExA(0, "BareControls", "Bare controls", style, 333, 191, frame.right - frame.left,
                        frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    HFONT plain = Font("MS Sans Serif", 11);
    HFONT status = Font("Tahoma", 13);
    HFONT footer = Font("MS Sans Serif", 13, true);
    FillList(Control(window, WC_LISTVIEWA, "", LVS_REPORT | LVS_SINGLESEL | LVS_NOSORTHEADER,
                     {148, 147, 741, 455}, plain, WS_EX_CLIENTEDGE));
    Control(window, "STATIC", "Application Path:", SS_RIGHT, {160, 462, 280, 478}, plain);
    Control(window, "STATIC", "Application Name:", SS_RIGHT, {160, 486, 280, 502}, plain);
    Control(window, "EDIT", "", ES_AUTOHSCROLL, {286, 460, 590, 480}, plain, WS_EX_CLIENTEDGE);
    Control(window, "EDIT", "", ES_AUTOHSCROLL, {286, 484, 478, 504}, plain, WS_EX_CLIENTEDGE);
    Control(window, "BUTTON", "Comp Info", BS_PUSHBUTTON, {54, 462, 143, 481}, plain);
    Control(window, "BUTTON", "About", BS_PUSHBUTTON, {54, 485, 143, 504}, plain);
    Control(window, "BUTTON", "&Browse", BS_PUSHBUTTON, {614, 460, 703, 479}, plain);
    Control(window, "BUTTON", "&Add", BS_PUSHBUTTON | WS_DISABLED, {614, 484, 703, 503}, plain);
    Control(window, "STATIC", "[HKLM_Run] = 20 apps will start with windows.", SS_LEFT, {0, 508, 420, 524},
            status);
    Control(window, "STATIC", "Tellurin - startup entries and station settings", SS_RIGHT,
            {420, 508, 741, 524}, footer);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    DeleteObject(plain);
    DeleteObject(status);
    DeleteObject(footer);
    return static_cast<int>(message.wParam);
}
