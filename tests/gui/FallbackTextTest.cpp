// Names in Cyrillic and Chinese are legible in the main window; Latin ones look as they always have.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "resource.h"
#include "gui/GuiTestSupport.h"
#include "MainWindowIds.h"
#include "MainWindow.h"

namespace {

// A parent that gives its list the rows and answers nothing else.
LRESULT CALLBACK
AnswerRowsOnly(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR list) {
    LRESULT answer = 0;
    if (message == WM_NOTIFY && reinterpret_cast<const EntryListView*>(list)->AnswerListRequest(
                                    *reinterpret_cast<NMHDR*>(lParam), answer))
        return answer;
    return DefSubclassProc(window, message, wParam, lParam);
}

// The list's client area as WM_PRINTCLIENT draws it, one 0x00RRGGBB value a pixel, rows top down.
struct Picture {
    int width = 0;
    std::vector<DWORD> pixels;

    std::vector<DWORD> Cut(const RECT& area) const {
        std::vector<DWORD> cut;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                cut.push_back(pixels[static_cast<size_t>(y) * width + x]);
        return cut;
    }
};

Picture Print(HWND list) {
    RECT client{};
    GetClientRect(list, &client);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = client.right;
    info.bmiHeader.biHeight = -client.bottom;  // top down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    SendMessageA(list, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    GdiFlush();
    Picture picture{client.right, std::vector<DWORD>(static_cast<const DWORD*>(bits),
                                                     static_cast<const DWORD*>(bits) +
                                                         static_cast<size_t>(client.right) * client.bottom)};
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return picture;
}

int IndexOf(const EntryListView& list, const std::string& name) {
    for (int i = 0; i < list.RowCount(); ++i)
        if (list.Row(i).appName == name)
            return i;
    return -1;
}

RECT NameCell(HWND list, int row) {
    RECT cell{LVIR_LABEL, 0, 0, 0};
    SendMessageA(list, LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(&cell));
    return cell;
}

RECT RowBand(HWND list, int row) {
    RECT band{LVIR_BOUNDS, 0, 0, 0};
    SendMessageA(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&band));
    RECT client{};
    GetClientRect(list, &client);
    band.right = std::min(band.right, client.right);
    return band;
}

HFONT FontOf(HWND control) {
    return reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
}

std::string FaceOf(HFONT font) {
    LOGFONTA description{};
    GetObjectA(font, sizeof description, &description);
    return description.lfFaceName;
}

TEST(FallbackTextTest, OtherScriptsAreDrawnWithoutBoxesAndLatinRowsAsBefore) {
    TestMachine machine;
    // A missing glyph is drawn as the font's one box glyph: with boxes, a name and its letters
    // reversed look the same; with the script's own glyphs they do not.
    for (const char* name : {"Почта", "атчоП", "同步", "步同", "Antivirus"})
        SetTextValue(HKEY_LOCAL_MACHINE, TestMachine::kRun, name, "C:\\Tools\\pager.exe -tray");
    RecordingNotifier cues;
    MainWindow form(MainWindowSeams{{}, &cues});
    form.Show();
    PumpMessages(50);
    HWND list = form.ListView().Handle();
    const Picture shown = Print(list);
    auto cellOf = [&](const char* name) { return shown.Cut(NameCell(list, IndexOf(form.ListView(), name))); };
    EXPECT_NE(cellOf("Почта"), cellOf("атчоП"));
    EXPECT_NE(cellOf("同步"), cellOf("步同"));

    // The same rows in a list whose parent draws nothing of its own: the Latin row is the same pixels.
    HWND plain = CreateWindowExA(0, WC_STATICA, "", WS_POPUP, 0, 0, 800, 400, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    RECT box{};
    GetWindowRect(list, &box);
    EntryListView reference(plain, 1, RECT{0, 0, box.right - box.left, box.bottom - box.top},
                            GetModuleHandleA(nullptr), IDB_REGSTATUS);
    SetWindowSubclass(plain, AnswerRowsOnly, 1, reinterpret_cast<DWORD_PTR>(&reference));
    SendMessageA(reference.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(list)), FALSE);
    std::vector<StartupEntry> rows;
    for (int i = 0; i < form.ListView().RowCount(); ++i)
        rows.push_back(form.ListView().Row(i));
    reference.ShowRows(rows);
    const int latin = IndexOf(form.ListView(), "Antivirus");
    ASSERT_EQ(IndexOf(reference, "Antivirus"), latin);
    const RECT band = RowBand(list, latin);
    EXPECT_EQ(Print(reference.Handle()).Cut(band), shown.Cut(band));
    DestroyWindow(plain);

    // An edit takes the fallback font while its text needs it, and its own font back after.
    HWND edit = form.Control(kLE_ApplicationName);
    const HFONT body = FontOf(edit);
    SetWindowTextA(edit, "同步");
    EXPECT_NE(FontOf(edit), body);
    SetWindowTextA(edit, "Sync");
    EXPECT_EQ(FontOf(edit), body);

    // An info tip drawn in the list's font does the same.
    HWND tooltip = ListView_GetToolTips(list);
    ASSERT_TRUE(tooltip);
    SendMessageA(tooltip, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(list)), FALSE);
    auto tipFor = [&](const char* name) {
        char text[64] = "";
        lstrcpynA(text, name, sizeof text);
        NMLVGETINFOTIPA tip{};
        tip.hdr = {list, static_cast<UINT_PTR>(kStartUpListView), LVN_GETINFOTIPA};
        tip.pszText = text;
        tip.cchTextMax = sizeof text;
        tip.iItem = IndexOf(form.ListView(), name);
        SendMessageA(form.Handle(), WM_NOTIFY, kStartUpListView, reinterpret_cast<LPARAM>(&tip));
        return FaceOf(FontOf(tooltip));
    };
    EXPECT_NE(tipFor("同步"), FaceOf(FontOf(list)));
    EXPECT_EQ(tipFor("Antivirus"), FaceOf(FontOf(list)));
}

}  // namespace
