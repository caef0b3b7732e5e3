// The hive file reader against a hive written by hivex, cells built by hand, and damaged files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>

#include "HiveFile.h"
#include "SystemMessage.h"
#include "UniqueHandle.h"

namespace {

const std::string kSample = std::string(TELLURIN_TEST_HIVES) + "\\sample.hiv";
const std::string kMany = std::string(TELLURIN_TEST_HIVES) + "\\many.hiv";
const std::string kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::string Dword(uint32_t value) {
    return {static_cast<char>(value), static_cast<char>(value >> 8), static_cast<char>(value >> 16),
            static_cast<char>(value >> 24)};
}
std::string Word(uint16_t value) {
    return {static_cast<char>(value), static_cast<char>(value >> 8)};
}
uint32_t DwordOf(const std::string& bytes, size_t at) {
    return static_cast<uint32_t>(static_cast<unsigned char>(bytes[at])) |
           static_cast<unsigned char>(bytes[at + 1]) << 8 | static_cast<unsigned char>(bytes[at + 2]) << 16 |
           static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + 3])) << 24;
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string TempHive() {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + "tellurin_hive_test.hiv";
}

std::string SaveHive(const std::string& bytes) {
    const std::string path = TempHive();
    const UniqueFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    return path;
}

// A hive of one bin, cell by cell as the format describes it: for what hivex never writes.
class HandBuiltHive {
public:
    uint32_t Add(const std::string& data) {
        const auto offset = static_cast<uint32_t>(0x20 + cells_.size());
        const size_t size = (4 + data.size() + 7) & ~size_t{7};
        cells_ += Dword(static_cast<uint32_t>(-static_cast<int32_t>(size))) + data;
        cells_.resize(offset - 0x20 + size, '\0');
        return offset;
    }
    uint32_t Key(const std::string& name, uint32_t parent) {
        std::string key = "nk" + Word(0x20) + std::string(12, '\0') + Dword(parent) + Dword(0) + Dword(0);
        key +=
            Dword(~0u) + Dword(~0u) + Dword(0) + Dword(~0u) + Dword(~0u) + Dword(~0u) + std::string(20, '\0');
        return Add(key + Word(static_cast<uint16_t>(name.size())) + Word(0) + name);
    }
    uint32_t Value(const std::string& name, uint32_t size, uint32_t data, uint32_t type) {
        return Add("vk" + Word(static_cast<uint16_t>(name.size())) + Dword(size) + Dword(data) + Dword(type) +
                   Word(1) + Word(0) + name);
    }
    // A key's count and list of sub-keys (field 0x14) or of values (field 0x24).
    void Link(uint32_t key, uint32_t field, uint32_t count, uint32_t list) {
        cells_.replace(key - 0x20 + 4 + field, 4, Dword(count));
        cells_.replace(key - 0x20 + 4 + field + (field == 0x14 ? 8 : 4), 4, Dword(list));
    }
    std::string Bytes(uint32_t root) const {
        const uint32_t binSize = static_cast<uint32_t>((0x20 + cells_.size() + 8 + 4095) & ~size_t{4095});
        std::string block = "regf" + Dword(1) + Dword(1) + std::string(8, '\0') + Dword(1) + Dword(5) +
                            Dword(0) + Dword(1) + Dword(root) + Dword(binSize) + Dword(1);
        block.resize(508, '\0');
        uint32_t sum = 0;
        for (size_t at = 0; at < 508; at += 4)
            sum ^= DwordOf(block, at);
        block += Dword(sum);
        block.resize(4096, '\0');
        std::string bin = "hbin" + Dword(0) + Dword(binSize) + std::string(20, '\0') + cells_;
        const auto free = static_cast<uint32_t>(binSize - bin.size());
        return block + bin + Dword(free) + std::string(free - 4, '\0');
    }

private:
    std::string cells_;
};

// The error a hive file gives, or "no error".
template <typename Read>
std::string ErrorOf(Read read) {
    try {
        read();
    } catch (const EHiveError& error) {
        return error.what();
    }
    return "no error";
}

// Every key and value, as deep as a damaged hive could make a walk go if nothing bounded it.
void ReadEverything(HiveFile& hive, HiveKey key, const std::string& path, int depth) {
    hive.ListValues(key);
    for (const std::string& name : hive.ListKeyNames(key))
        if (auto child = hive.FindKey(path + "\\" + name); child && depth < 8)
            ReadEverything(hive, *child, path + "\\" + name, depth + 1);
}

TEST(HiveFileTest, ReadsValuesAsStoredWithNamesAndTextsInTheCodePage) {
    HiveFile hive(kSample);
    const auto run = hive.FindKey(kRun);
    ASSERT_TRUE(run);
    const std::vector<RegistryValue> values = hive.ListValues(*run);
    const std::vector<std::pair<std::string, ValueKind>> expected = {
        {"Pager", ValueKind::Text},  {"Updater", ValueKind::ExpandableText},
        {"Grüße", ValueKind::Text},  {"Запуск", ValueKind::Text},
        {"", ValueKind::Text},       {"Number", ValueKind::Number},
        {"Bytes", ValueKind::Bytes}, {"Empty", ValueKind::Bytes},
        {"Short", ValueKind::Text}};
    ASSERT_EQ(values.size(), expected.size());
    for (size_t at = 0; at < values.size(); ++at) {
        EXPECT_EQ(values[at].name, expected[at].first);
        EXPECT_EQ(values[at].kind, expected[at].second) << values[at].name;
    }
    auto text = [&](size_t at) {
        return TextOfValue(values[at].name, values[at].kind, values[at].data.data(), values[at].data.size());
    };
    EXPECT_EQ(text(0), "C:\\Tools\\pager.exe");
    EXPECT_EQ(text(1), "%ProgramFiles%\\Updater\\up.exe /tray");  // not expanded
    EXPECT_EQ(text(2), "C:\\Grüße\\grüße.exe");
    EXPECT_EQ(text(3), "C:\\Программы\\запуск.exe");
    EXPECT_EQ(text(4), "default text");
    EXPECT_EQ(values[5].data, std::string("\x2a\0\0\0", 4));  // kept in place of its link
    EXPECT_EQ(values[6].data, std::string("\x01\x02\x03\x04\x05\x06"));
    EXPECT_EQ(values[7].data, "");
    EXPECT_EQ(values[8].data, std::string("z\0", 2));  // four UTF-16 bytes, kept in place too
    EXPECT_EQ(hive.ListKeyNames(*hive.FindKey("Software")),
              (std::vector<std::string>{"Grüße", "Microsoft", "Ключ"}));
}

TEST(HiveFileTest, ReadsManyValuesAndSubkeysAndFindsKeysInAnyLetterCase) {
    HiveFile hive(kMany);
    const auto many = hive.FindKey("\\MANY");
    ASSERT_TRUE(many);
    const std::vector<RegistryValue> values = hive.ListValues(*many);
    EXPECT_LT(hive.BytesRead(), 64u * 1024);  // of a file of 3 MB: read where it is needed
    ASSERT_EQ(values.size(), 300u);
    for (size_t at = 0; at < values.size(); ++at) {
        const int number = static_cast<int>(at * 13 % 300);  // the order they were written in
        char name[16];
        snprintf(name, sizeof name, "Value%03d", number);
        EXPECT_EQ(values[at].name, name);
        EXPECT_EQ(values[at].data, "data " + std::to_string(number) + std::string(1, '\0'));
    }
    std::vector<std::string> names = hive.ListKeyNames(*many);
    ASSERT_EQ(names.size(), 700u);
    for (const std::string& name : names) {
        std::string lower = name;
        std::transform(lower.begin(), lower.end(), lower.begin(), ::tolower);
        const auto key = hive.FindKey("many\\" + lower);
        ASSERT_TRUE(key) << name;
        EXPECT_EQ(key->cell, hive.FindKey("Many\\" + name)->cell);
    }
    EXPECT_FALSE(hive.FindKey("Many\\Key700"));

    HiveFile sample(kSample);
    EXPECT_TRUE(sample.FindKey("SOFTWARE\\microsoft\\Windows\\currentversion\\rUN"));
    EXPECT_EQ(sample.ListValues(*sample.FindKey("software\\КЛЮЧ"))[0].name, "Имя");
    EXPECT_TRUE(sample.FindKey("Software\\GRÜßE"));
    EXPECT_EQ(sample.FindKey("")->cell, sample.Root().cell);
    EXPECT_FALSE(sample.FindKey("Software\\Grüß"));
    EXPECT_FALSE(sample.FindKey(kRun + "\\Pager"));
}

TEST(HiveFileTest, ReadsLongValuesInSegmentsAndSubkeysBeneathAnIndexRoot) {
    HandBuiltHive built;
    const uint32_t root = built.Key("ROOT", 0);
    // Over 16344 bytes a value's data goes into segments of that size, listed by a db cell.
    std::string longText;
    for (int at = 0; longText.size() < 2 * 16344 + 1000; ++at)
        longText += static_cast<char>('a' + at % 26) + std::string(1, '\0');
    std::string segments;
    for (size_t at = 0; at < longText.size(); at += 16344)
        segments += Dword(built.Add(longText.substr(at, 16344)));
    const uint32_t bigData = built.Add("db" + Word(3) + Dword(built.Add(segments)));
    const uint32_t value = built.Value("Long", static_cast<uint32_t>(longText.size()), bigData, REG_SZ);
    built.Link(root, 0x24, 1, built.Add(Dword(value)));
    // Keys with very many sub-keys list them in several lists beneath an index root (ri).
    const uint32_t parent = built.Key("Parent", root);
    built.Link(root, 0x14, 1, built.Add("li" + Word(1) + Dword(parent)));
    const uint32_t a = built.Key("A", parent), b = built.Key("B", parent), c = built.Key("C", parent);
    const uint32_t first = built.Add("lf" + Word(2) + Dword(a) + std::string("A\0\0\0", 4) + Dword(b) +
                                     std::string("B\0\0\0", 4));
    const uint32_t second = built.Add("li" + Word(1) + Dword(c));
    const uint32_t index = built.Add("ri" + Word(2) + Dword(first) + Dword(second));
    built.Link(parent, 0x14, 3, index);
    const std::string bytes = built.Bytes(root);
    const std::string path = SaveHive(bytes);
    {
        HiveFile hive(path);
        const std::vector<RegistryValue> values = hive.ListValues(hive.Root());
        ASSERT_EQ(values.size(), 1u);
        std::string expected;
        for (size_t at = 0; at < longText.size(); at += 2)
            expected += longText[at];
        EXPECT_EQ(values[0].data, expected);
        EXPECT_EQ(hive.ListKeyNames(*hive.FindKey("Parent")), (std::vector<std::string>{"A", "B", "C"}));
        EXPECT_EQ(hive.FindKey("parent\\c")->cell, c);
        EXPECT_EQ(hive.FindKey("PARENT\\b")->cell, b);  // past the lf list's hints
    }
    // An index root that lists itself.
    std::string looped = bytes;
    looped.replace(4096 + index + 4 + 8, 4, Dword(index));
    SaveHive(looped);
    EXPECT_NE(ErrorOf([&] {
                  HiveFile hive(path);
                  hive.ListKeyNames(*hive.FindKey("Parent"));
              }),
              "no error");
    DeleteFileA(path.c_str());
}

TEST(HiveFileTest, DamagedFilesGiveAnErrorNamingTheFile) {
    const std::string sample = ReadFileBytes(kSample);
    ASSERT_GT(sample.size(), 8192u);
    const std::string path = TempHive();
    auto errorOf = [&](const std::string& bytes) {
        SaveHive(bytes);
        return ErrorOf([&] {
            HiveFile hive(path);
            ReadEverything(hive, hive.Root(), "", 0);
        });
    };
    for (size_t size = 0; size < sample.size(); size += 512)
        EXPECT_NE(errorOf(sample.substr(0, size)).find(path), std::string::npos) << "cut at " << size;

    std::mt19937 random(27);
    std::string noise(sample.size(), '\0');
    std::generate(noise.begin(), noise.end(), [&] { return static_cast<char>(random()); });
    EXPECT_NE(errorOf(noise), "no error");
    EXPECT_NE(errorOf(sample.substr(0, 4096 + 32) + noise.substr(4096 + 32)), "no error");

    const uint32_t root = 4096 + DwordOf(sample, 0x24);
    std::string pastTheEnd = sample;
    pastTheEnd.replace(root, 4, Dword(static_cast<uint32_t>(-0x7FFFFFF8)));
    EXPECT_NE(errorOf(pastTheEnd).find("past the end"), std::string::npos);

    const uint32_t list = DwordOf(sample, root + 4 + 0x1C);
    std::string selfListed = sample;
    selfListed.replace(4096 + list + 4 + 4, 4, Dword(list));  // its first entry
    EXPECT_NE(errorOf(selfListed), "no error");
    std::string ownSubkey = sample;
    ownSubkey.replace(4096 + list + 4 + 4, 4, Dword(root - 4096));
    EXPECT_NE(errorOf(ownSubkey), "no error");

    // One long value listed over and over: more than the whole hive holds.
    HandBuiltHive repeated;
    const uint32_t top = repeated.Key("ROOT", 0);
    const uint32_t big = repeated.Value("Big", 16000, repeated.Add(std::string(16000, 'x')), REG_BINARY);
    std::string links;
    for (int at = 0; at < 800; ++at)
        links += Dword(big);
    repeated.Link(top, 0x24, 800, repeated.Add(links));
    EXPECT_NE(errorOf(repeated.Bytes(top)).find("repeats"), std::string::npos);

    // Bytes changed anywhere: an error or a sound reading, never a crash or another exception.
    for (int round = 0; round < 50; ++round) {
        std::string changed = sample;
        for (int at = 0; at < 40; ++at)
            changed[4096 + random() % (changed.size() - 4096)] = static_cast<char>(random());
        errorOf(changed);
    }
    DeleteFileA(path.c_str());
}

TEST(HiveFileTest, AFileInUseOrMissingIsAnErrorNamingTheFileAndTheReason) {
    const std::string path = SaveHive(ReadFileBytes(kSample));
    {
        // Windows holds a loaded hive open without sharing it.
        const UniqueFile locked(
            CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(locked);
        try {
            HiveFile hive(path);
            ADD_FAILURE() << "opened a locked file";
        } catch (const EHiveError& error) {
            EXPECT_EQ(error.Code(), static_cast<unsigned long>(ERROR_SHARING_VIOLATION));
            EXPECT_NE(std::string(error.what()).find(path), std::string::npos);
            EXPECT_NE(std::string(error.what()).find(SystemMessage(ERROR_SHARING_VIOLATION)),
                      std::string::npos)
                << error.what();
        }
    }
    EXPECT_NO_THROW(HiveFile hive(path));
    DeleteFileA(path.c_str());
    try {
        HiveFile hive(path);
        ADD_FAILURE() << "opened a missing file";
    } catch (const EHiveError& error) {
        EXPECT_EQ(error.Code(), static_cast<unsigned long>(ERROR_FILE_NOT_FOUND));
    }
}

}  // namespace
