// Switching a registered task on or off through a station's Task Scheduler service; tests replace it.
#pragma once

#include <functional>
#include <string>

struct TaskSchedulerApi {
    // Sets the task's Enabled on the station ("" for this computer): S_OK or the failure's HRESULT.
    // The calling thread has initialised COM.
    std::function<long(const std::string& station, const std::string& taskPath, bool enabled)> setEnabled;
};

const TaskSchedulerApi& RealTaskScheduler();
