// `tellurinc list --details --location HKCU_Run --format csv` over 1,000 Run values naming 50 distinct
// files (signed, self-signed and unsigned copies of the test library), whole process with stdout to
// NUL, against its floor: reading the version resource and verifying the signature of those 50 files
// once each in this bare program, plus the plain list of the same values. Target: within 1.3 times.
// How to run: bench/run.sh cli_details_bench
#include <windows.h>
#include <wincrypt.h>
#include <wintrust.h>
#include <softpub.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "BenchSupport.h"

namespace {

constexpr int kRuns = 7;
constexpr int kValues = 1000;
constexpr int kFiles = 50;
const std::string kFolder = "C:\\tellurin_details_bench";
const char* kValueName = "TellurinDetails%04d";

std::string FileNamed(int index) {
    return kFolder + "\\tool" + std::to_string(index) + ".dll";
}

void MakeFiles() {
    std::filesystem::create_directories(kFolder);
    const char* copies[] = {"valid", "untrusted", "unsigned"};
    for (int i = 0; i < kFiles; ++i)
        CopyFileA((std::string(TELLURIN_SIGNED) + "\\" + copies[i % 3] + ".dll").c_str(),
                  FileNamed(i).c_str(), FALSE);
}

void SetValues(int count) {
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, kBenchRunPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    for (int i = 0; i < kValues; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, kValueName, i);
        std::string text = "\"";
        (text += FileNamed(i % kFiles)) += "\" -tray";
        if (i < count)
            RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                           static_cast<DWORD>(text.size() + 1));
        else
            RegDeleteValueA(key, name);
    }
    RegCloseKey(key);
}

// The least any reader does per file: the version block, WinVerifyTrust, the signer and its chain.
void ReadOneFile(const std::string& path) {
    DWORD handle = 0;
    std::vector<char> block(GetFileVersionInfoSizeA(path.c_str(), &handle) + 1);
    GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data());
    void* text = nullptr;
    UINT length = 0;
    VerQueryValueA(block.data(), "\\StringFileInfo\\040904B0\\CompanyName", &text, &length);

    wchar_t wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
    WINTRUST_FILE_INFO file{sizeof file, wide, nullptr, nullptr};
    WINTRUST_DATA data{};
    data.cbStruct = sizeof data;
    data.dwUIChoice = WTD_UI_NONE;
    data.fdwRevocationChecks = WTD_REVOKE_NONE;
    data.dwUnionChoice = WTD_CHOICE_FILE;
    data.pFile = &file;
    data.dwStateAction = WTD_STATEACTION_VERIFY;
    GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
    WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);
    data.dwStateAction = WTD_STATEACTION_CLOSE;
    WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);

    HCERTSTORE store = nullptr;
    HCRYPTMSG message = nullptr;
    DWORD encoding = 0, content = 0, format = 0;
    if (!CryptQueryObject(CERT_QUERY_OBJECT_FILE, wide, CERT_QUERY_CONTENT_FLAG_PKCS7_SIGNED_EMBED,
                          CERT_QUERY_FORMAT_FLAG_BINARY, 0, &encoding, &content, &format, &store, &message,
                          nullptr))
        return;
    DWORD size = 0;
    CryptMsgGetParam(message, CMSG_SIGNER_INFO_PARAM, 0, nullptr, &size);
    std::vector<BYTE> signer(size);
    CryptMsgGetParam(message, CMSG_SIGNER_INFO_PARAM, 0, signer.data(), &size);
    const auto* info = reinterpret_cast<const CMSG_SIGNER_INFO*>(signer.data());
    CERT_INFO wanted{};
    wanted.Issuer = info->Issuer;
    wanted.SerialNumber = info->SerialNumber;
    PCCERT_CONTEXT certificate = CertFindCertificateInStore(store, X509_ASN_ENCODING | PKCS_7_ASN_ENCODING, 0,
                                                            CERT_FIND_SUBJECT_CERT, &wanted, nullptr);
    CERT_CHAIN_PARA parameters{};
    parameters.cbSize = sizeof parameters;
    PCCERT_CHAIN_CONTEXT chain = nullptr;
    if (certificate &&
        CertGetCertificateChain(nullptr, certificate, nullptr, store, &parameters, 0, nullptr, &chain)) {
        CERT_CHAIN_POLICY_PARA policy{sizeof policy, 0, nullptr};
        CERT_CHAIN_POLICY_STATUS status{};
        status.cbSize = sizeof status;
        CertVerifyCertificateChainPolicy(CERT_CHAIN_POLICY_AUTHENTICODE, chain, &policy, &status);
        CertFreeCertificateChain(chain);
    }
    if (certificate)
        CertFreeCertificateContext(certificate);
    CryptMsgClose(message);
    CertCloseStore(store, 0);
}

}  // namespace

int main() {
    MakeFiles();
    SetValues(kValues);
    const std::string tellurinc =
        "\"" + OwnFolder().append("\\tellurinc.exe\" list --format csv --location HKCU_Run");
    std::vector<double> details, plain, files;
    for (int run = 0; run < kRuns; ++run) {
        details.push_back(TimeProcess(tellurinc + " --details"));
        plain.push_back(TimeProcess(tellurinc));
        files.push_back(TimeOf([] {
            for (int i = 0; i < kFiles; ++i)
                ReadOneFile(FileNamed(i));
        }));
    }
    SetValues(0);
    std::filesystem::remove_all(kFolder);
    const double floor = Median(plain) + Median(files);
    const double ratio = Median(details) / floor;
    std::printf(
        "list --details, %d values naming %d files: tellurinc %.1f ms, floor %.1f ms (plain list %.1f ms + "
        "%d files %.1f ms; median of %d): %.2f x (target <= 1.3) %s\n",
        kValues, kFiles, Median(details), floor, Median(plain), kFiles, Median(files), kRuns, ratio,
        ratio <= 1.3 ? "ok" : "OVER");
    return 0;
}
