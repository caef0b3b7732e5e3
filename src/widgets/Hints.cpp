// Hints through the common tooltip control.
#include "Hints.h"

#include <commctrl.h>

namespace {

// The smaller record that every version of the tooltip control accepts.
const UINT kToolInfoSize = TTTOOLINFOA_V2_SIZE;  // the same size as the wide record's
constexpr int kTextCapacity = 1024;

TTTOOLINFOA ControlTool(HWND control) {
    TTTOOLINFOA tool{};
    tool.cbSize = kToolInfoSize;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(control);
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    return tool;
}

TTTOOLINFOA AreaTool(HWND window, UINT_PTR id) {
    TTTOOLINFOA tool{};
    tool.cbSize = kToolInfoSize;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = window;
    tool.uId = id;
    return tool;
}

bool AddOrUpdate(HWND tooltip, TTTOOLINFOA tool, const std::string& text) {
    TTTOOLINFOA existing = tool;
    const bool known =
        SendMessageA(tooltip, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&existing)) != FALSE;
    tool.lpszText = const_cast<char*>(text.c_str());  // the control copies the text
    if (!known)
        return SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool)) != FALSE;
    SendMessageA(tooltip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
    return true;
}

// The ANSI message returns at most 80 bytes of a tip; the wide one returns it whole.
std::string ToolText(HWND tooltip, const TTTOOLINFOA& tool) {
    wchar_t wide[kTextCapacity] = L"";
    TTTOOLINFOW query{};
    query.cbSize = kToolInfoSize;
    query.uFlags = tool.uFlags;
    query.hwnd = tool.hwnd;
    query.uId = tool.uId;
    query.lpszText = wide;
    SendMessageW(tooltip, TTM_GETTEXTW, kTextCapacity, reinterpret_cast<LPARAM>(&query));
    wide[kTextCapacity - 1] = L'\0';
    const int size = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return std::string();
    std::string text(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, -1, text.data(), size, nullptr, nullptr);
    text.resize(static_cast<size_t>(size) - 1);
    return text;
}

}  // namespace

HWND CreateHints(HWND topLevel) {
    return CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, topLevel, nullptr,
                           reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(topLevel, GWLP_HINSTANCE)), nullptr);
}

bool AddHint(HWND tooltip, HWND control, const std::string& text) {
    return tooltip && control && AddOrUpdate(tooltip, ControlTool(control), text);
}

std::string HintText(HWND tooltip, HWND control) {
    return ToolText(tooltip, ControlTool(control));
}

bool AddAreaHint(HWND tooltip, HWND window, UINT_PTR id, const RECT& area, const std::string& text) {
    TTTOOLINFOA tool = AreaTool(window, id);
    tool.rect = area;
    if (!tooltip || !AddOrUpdate(tooltip, tool, text))
        return false;
    SendMessageA(tooltip, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&tool));  // when it existed
    return true;
}

std::string AreaHintText(HWND tooltip, HWND window, UINT_PTR id) {
    return ToolText(tooltip, AreaTool(window, id));
}
