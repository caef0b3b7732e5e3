// Reads the startup keys of five users' registry files of 20 MiB each (written by hivex at build time):
// the bytes read of each file, and the time against a floor that opens each file and reads as many bytes
// raw, a page a read as the reader does. How to run: bench/run.sh hive_read_bench
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "HiveFile.h"
#include "UniqueHandle.h"

namespace {

constexpr int kUsers = 5;
constexpr int kRounds = 201;
constexpr uint64_t kMostBytes = 256 * 1024;
constexpr double kMostToFloor = 1.3;
constexpr const char* kKeys[] = {
    "Software\\Microsoft\\Windows\\CurrentVersion\\Run",
    "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\Run",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run",
};

std::string HivePath(int user) {
    return std::string(TELLURIN_BENCH_HIVES) + "\\user" + std::to_string(user) + ".dat";
}

struct Reading {
    uint64_t bytesRead = 0;
    size_t values = 0;
};

Reading ReadStartupKeys(const std::string& path) {
    HiveFile hive(path);
    Reading reading;
    for (const char* key : kKeys)
        if (const auto found = hive.FindKey(key))
            reading.values += hive.ListValues(*found).size();
    reading.bytesRead = hive.BytesRead();
    return reading;
}

uint64_t FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return static_cast<uint64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
}

}  // namespace

int main() {
    std::vector<Reading> readings;
    for (int user = 1; user <= kUsers; ++user) {
        readings.push_back(ReadStartupKeys(HivePath(user)));
        const Reading& reading = readings.back();
        std::printf("user%d.dat (%.1f MiB), %zu values: %7.1f KiB read (target <= %llu KiB) %s\n", user,
                    static_cast<double>(FileSize(HivePath(user))) / (1024 * 1024), reading.values,
                    static_cast<double>(reading.bytesRead) / 1024,
                    static_cast<unsigned long long>(kMostBytes / 1024),
                    reading.bytesRead <= kMostBytes ? "met" : "MISSED");
    }
    // Rounds of the reader and of the floor alternate, so that both meet the same state of the machine.
    std::vector<double> reader, floor;
    for (int round = 0; round < kRounds; ++round) {
        reader.push_back(TimeOf([&] {
            for (int user = 1; user <= kUsers; ++user)
                ReadStartupKeys(HivePath(user));
        }));
        floor.push_back(TimeOf([&] {
            for (int user = 1; user <= kUsers; ++user)
                ReadFilePages(HivePath(user), readings[user - 1].bytesRead);
        }));
    }
    const double readerMs = Median(reader), floorMs = Median(floor);
    std::printf("startup keys of %d hives: %.3f ms, floor %.3f ms: %.2fx (target <= %.1fx) %s\n", kUsers,
                readerMs, floorMs, readerMs / floorMs, kMostToFloor,
                readerMs <= kMostToFloor * floorMs ? "met" : "MISSED");
    return 0;
}
