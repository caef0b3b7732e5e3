// A file's facts from copies of a library built and signed for the tests: its version texts, its
// hash, the four signature states, and a file that is not there.
#include <gtest/gtest.h>

#include <windows.h>
#include <wincrypt.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "FileFacts.h"

namespace {

const std::string kSigned = TELLURIN_SIGNED;

std::string ReadText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    std::string content = text.str();
    return content.substr(0, content.find_first_of("\r\n"));
}

// The test root among the local machine's trusted roots while the object lives. The store keeps what
// was added once it is closed.
class TrustedTestRoot {
public:
    TrustedTestRoot() {
        std::ifstream file(kSigned + "\\root.cer", std::ios::binary);
        der_.assign(std::istreambuf_iterator<char>(file), {});
        HCERTSTORE store = Roots();
        EXPECT_TRUE(CertAddEncodedCertificateToStore(store, X509_ASN_ENCODING, Bytes(), Size(),
                                                     CERT_STORE_ADD_REPLACE_EXISTING, nullptr));
        CertCloseStore(store, 0);
    }
    // Wine keeps a certificate deleted through the store: its registry key is taken out instead.
    ~TrustedTestRoot() {
        PCCERT_CONTEXT root = CertCreateCertificateContext(X509_ASN_ENCODING, Bytes(), Size());
        BYTE thumbprint[20];
        DWORD size = sizeof thumbprint;
        std::string key = "Software\\Microsoft\\SystemCertificates\\Root\\Certificates\\";
        if (root && CertGetCertificateContextProperty(root, CERT_SHA1_HASH_PROP_ID, thumbprint, &size))
            for (DWORD i = 0; i < size; ++i) {
                char hex[3];
                std::snprintf(hex, sizeof hex, "%02X", thumbprint[i]);
                key += hex;
            }
        EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, key.c_str()), ERROR_SUCCESS);
        CertFreeCertificateContext(root);
    }

private:
    static HCERTSTORE Roots() {
        return CertOpenStore(CERT_STORE_PROV_SYSTEM_A, 0, 0, CERT_SYSTEM_STORE_LOCAL_MACHINE, "ROOT");
    }
    const BYTE* Bytes() const { return reinterpret_cast<const BYTE*>(der_.data()); }
    DWORD Size() const { return static_cast<DWORD>(der_.size()); }

    std::string der_;
};

FileFacts Facts(const std::string& name) {
    return ReadFileFacts(kSigned + "\\" + name + ".dll", false);
}

TEST(FileFactsTest, VersionTextsAndHashOfABuiltLibrary) {
    const FileFacts facts = ReadFileFacts(kSigned + "\\unsigned.dll", true);
    EXPECT_TRUE(facts.exists);
    EXPECT_FALSE(facts.unreadable);
    EXPECT_EQ(facts.description, "Tellurin sample library");
    EXPECT_EQ(facts.publisher, "Tellurin Test Works");
    EXPECT_EQ(facts.version, "2.3.4.5");
    EXPECT_EQ(facts.signature.state, SignatureState::Unsigned);
    EXPECT_EQ(facts.signature.signer, "");
    EXPECT_EQ(facts.sha256, ReadText(kSigned + "\\unsigned.sha256"));
    EXPECT_EQ(Facts("unsigned").sha256, "");  // only when asked for
}

TEST(FileFactsTest, AMissingFileHasNoFactsAndIsNotUnreadable) {
    const FileFacts facts = ReadFileFacts(kSigned + "\\gone.dll", true);
    EXPECT_FALSE(facts.exists);
    EXPECT_FALSE(facts.unreadable);
    EXPECT_EQ(facts.publisher + facts.version + facts.signature.signer + facts.sha256, "");
    EXPECT_FALSE(ReadFileFacts(kSigned, false).exists);  // a folder is no program file
}

TEST(FileFactsTest, SignatureStatesWithTheTestRootTrustedAndNot) {
    // The chain is checked by the program itself: without the root the same file is untrusted.
    EXPECT_EQ(Facts("valid").signature.state, SignatureState::Untrusted);
    TrustedTestRoot root;
    const FileFacts valid = Facts("valid");
    EXPECT_EQ(valid.signature.state, SignatureState::Valid);
    EXPECT_EQ(valid.signature.signer, "Tellurin Test Signer");
    EXPECT_EQ(valid.publisher, "Tellurin Test Works");  // signing keeps the version resource

    const FileFacts selfSigned = Facts("untrusted");
    EXPECT_EQ(selfSigned.signature.state, SignatureState::Untrusted);
    EXPECT_EQ(selfSigned.signature.signer, "Tellurin Test Self Signer");

    const FileFacts changed = Facts("invalid");
    EXPECT_EQ(changed.signature.state, SignatureState::Invalid);
    EXPECT_EQ(changed.signature.signer, "Tellurin Test Signer");

    EXPECT_EQ(Facts("unsigned").signature.state, SignatureState::Unsigned);
    EXPECT_STREQ(SignatureStateName(SignatureState::Untrusted), "untrusted");
}

// Folders in three scripts, where UTF-8 takes more bytes than there are characters: a signed file
// there is read like any other, a missing one is missing. Version texts in those scripts come whole.
TEST(FileFactsTest, PathsAndTextsInOtherScriptsReadLikeAnyOther) {
    const std::string root = "C:\\tellurin_facts_" + std::to_string(GetCurrentProcessId());
    for (const std::string folder : {"Café", "Программы", "程序 文件"}) {
        const std::string dir = root + "\\" + folder;
        ASSERT_TRUE(CreateDirectoryA(root.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
        ASSERT_TRUE(CreateDirectoryA(dir.c_str(), nullptr)) << folder;
        ASSERT_TRUE(
            CopyFileA((kSigned + "\\valid.dll").c_str(), (dir + "\\" + folder + ".exe").c_str(), TRUE));
        const FileFacts present = ReadFileFacts(dir + "\\" + folder + ".exe", true);
        EXPECT_TRUE(present.exists) << folder;
        EXPECT_FALSE(present.unreadable) << folder;
        EXPECT_EQ(present.publisher, "Tellurin Test Works") << folder;
        EXPECT_EQ(present.signature.state, SignatureState::Untrusted) << folder;
        EXPECT_EQ(present.signature.signer, "Tellurin Test Signer") << folder;
        EXPECT_EQ(present.sha256, ReadText(kSigned + "\\valid.sha256")) << folder;
        const FileFacts missing = ReadFileFacts(dir + "\\gone.exe", true);
        EXPECT_FALSE(missing.exists || missing.unreadable) << folder;
    }
    std::filesystem::remove_all(root);

    const FileFacts world = Facts("world");
    EXPECT_EQ(world.publisher, "Кафе «Теллурин»");
    EXPECT_EQ(world.version, "1.0 Café");
    EXPECT_TRUE(world.description.starts_with("碲示例库：")) << world.description;
    EXPECT_TRUE(world.description.ends_with("没有丢失任何一个字")) << world.description;
}

}  // namespace
