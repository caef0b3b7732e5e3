// ResolveShortcutTarget and CreateShortcut over IShellLinkA, IShellLinkW and IPersistFile.
#include "ShellLink.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "Errors.h"
#include "ComPtr.h"
#include "TextCodec.h"
#include "TextFiles.h"

namespace {

// The shell's link object, named here rather than taken from the GUID library (see ComPtr.h).
constexpr CLSID kShellLinkClass{0x00021401, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

std::wstring Wide(const std::string& text) {
    int length = MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, text.c_str(), -1, nullptr, 0);
    if (length <= 0)
        return {};
    std::vector<wchar_t> buffer(length);
    MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, text.c_str(), -1, buffer.data(), length);
    return buffer.data();
}

bool HasLinkExtension(const std::string& path) {
    const size_t separator = path.find_last_of("\\/:");
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos || (separator != std::string::npos && dot < separator))
        return false;
    std::string extension = path.substr(dot);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c); });
    return extension == ".LNK";
}

[[noreturn]] void ThrowComError(HRESULT result) {
    char text[64];
    std::snprintf(text, sizeof text, "COM error 0x%08lX", static_cast<unsigned long>(result));
    throw EComError(text);
}

// The folder a shortcut to target starts in: up to its last "\" or ":".
std::string WorkingFolderOf(const std::string& target) {
    const size_t end = target.find_last_of("\\:");
    if (end == std::string::npos)
        return {};
    // A quoted target keeps its quotes for the link's path, but a folder with a quote in it is no folder.
    std::string folder = target.substr(0, end + 1);
    std::erase(folder, '"');
    return folder;
}

}  // namespace

std::string ResolveShortcutTarget(const std::string& path) {
    if (!HasLinkExtension(path))
        return kNotAShortcut;
    ComPtr<IShellLinkA> link;
    if (FAILED(CoCreateInstance(kShellLinkClass, nullptr, CLSCTX_INPROC_SERVER, __uuidof(IShellLinkA),
                                link.put_void())))
        return {};
    ComPtr<IPersistFile> file = As<IPersistFile>(link);
    if (!file || FAILED(file->Load(Wide(path).c_str(), STGM_READ)))
        return {};
    // Never Resolve: it may search the disk, show UI or rewrite the file. The wide interface: the ANSI
    // one cuts the path at MAX_PATH bytes, fewer characters than a path may have in UTF-8.
    const ComPtr<IShellLinkW> wide = As<IShellLinkW>(link);
    wchar_t target[MAX_PATH + 1] = {};
    WIN32_FIND_DATAW found{};
    if (!wide || FAILED(wide->GetPath(target, MAX_PATH, &found, SLGP_UNCPRIORITY)))
        return {};
    return FromWide(target, CP_ACP);
}

bool CreateShortcut(const std::string& target, const std::string& folder, const std::string& name) {
    ComPtr<IUnknown> object;
    const HRESULT created =
        CoCreateInstance(kShellLinkClass, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                         __uuidof(IUnknown), object.put_void());
    if (FAILED(created))
        ThrowComError(created);
    ComPtr<IShellLinkA> link = As<IShellLinkA>(object);
    ComPtr<IPersistFile> file = As<IPersistFile>(object);
    if (!link || !file)
        throw EComError("Interface not supported");

    link->SetPath(target.c_str());
    link->SetWorkingDirectory(WorkingFolderOf(target).c_str());
    const std::string fileName = folder + "\\" + name + ".lnk";
    return SUCCEEDED(file->Save(Wide(fileName).c_str(), FALSE)) && FileExists(fileName);
}
