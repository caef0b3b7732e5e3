// The file-open dialog that picks a program for Add.
#include "ProgramPicker.h"

#include <commdlg.h>

#include "SystemLibrary.h"

// The executable's folder: its full path up to and including the last "\" or ":".
std::string FolderWithSeparator(const std::string& path) {
    size_t end = path.find_last_of("\\:");
    return end == std::string::npos ? std::string() : path.substr(0, end + 1);
}

std::optional<std::string> PickProgramWithDialog(HWND owner, const std::string& initialFolder) {
    char file[32768] = {};
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = "Programs (*.exe)\0*.exe\0All Files (*.*)\0*.*\0";
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file;
    dialog.nMaxFile = sizeof file;
    dialog.lpstrInitialDir = initialFolder.c_str();
    dialog.lpstrDefExt = "exe";
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING;
    // Loaded when first needed: importing it would load its printing support at every start.
    static const auto openDialog =
        SystemFunctionAs<decltype(GetOpenFileNameA)>("comdlg32.dll", "GetOpenFileNameA");
    if (!openDialog || !openDialog(&dialog))
        return std::nullopt;
    return std::string(file);
}
