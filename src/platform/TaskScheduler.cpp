// The Task Scheduler 2.0 interfaces: connect to the station, find the task by its path, set Enabled.
#include "TaskScheduler.h"

#include <windows.h>
#include <oleauto.h>
#include <taskschd.h>

#include "ComPtr.h"
#include "SystemLibrary.h"
#include "TextCodec.h"

namespace {

// The string functions come from the system's oleaut32 when first needed: importing it would load
// it at every start of both programs.
struct OleStrings {
    decltype(&SysAllocString) allocate =
        SystemFunctionAs<decltype(SysAllocString)>("oleaut32.dll", "SysAllocString");
    decltype(&SysFreeString) free =
        SystemFunctionAs<decltype(SysFreeString)>("oleaut32.dll", "SysFreeString");
};

const OleStrings& Ole() {
    static const OleStrings strings;
    return strings;
}

// A BSTR released on every path.
struct BstrTraits {
    using Handle = BSTR;
    static Handle Empty() noexcept { return nullptr; }
    static void Close(Handle text) noexcept { Ole().free(text); }
};
using UniqueBstr = UniqueHandle<BstrTraits>;

UniqueBstr BstrOf(const std::string& text) {
    return UniqueBstr(Ole().allocate(ToWide(text, CP_ACP).c_str()));
}

long SetTaskEnabled(const std::string& station, const std::string& taskPath, bool enabled) {
    if (Ole().allocate == nullptr || Ole().free == nullptr)
        return E_NOTIMPL;
    ComPtr<ITaskService> service;
    HRESULT result = CoCreateInstance(CLSID_TaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskService,
                                      service.put_void());
    if (FAILED(result))
        return result;
    VARIANT server{}, none{};  // zeroed: VT_EMPTY
    const UniqueBstr name = BstrOf(station);
    if (!station.empty()) {
        server.vt = VT_BSTR;
        server.bstrVal = name.get();  // owned by name, not by the variant
    }
    if (FAILED(result = service->Connect(server, none, none, none)))
        return result;
    ComPtr<ITaskFolder> root;
    const UniqueBstr rootPath = BstrOf("\\");
    if (FAILED(result = service->GetFolder(rootPath.get(), root.put())))
        return result;
    ComPtr<IRegisteredTask> task;
    const UniqueBstr path = BstrOf(taskPath);
    if (FAILED(result = root->GetTask(path.get(), task.put())))
        return result;
    return task->put_Enabled(enabled ? VARIANT_TRUE : VARIANT_FALSE);
}

}  // namespace

const TaskSchedulerApi& RealTaskScheduler() {
    static const TaskSchedulerApi api{SetTaskEnabled};
    return api;
}
