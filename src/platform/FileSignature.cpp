// Authenticode through WinVerifyTrust for the digest and the certificate chain engine for the signer.
#include "FileSignature.h"

#include <windows.h>
#include <wincrypt.h>
#include <wintrust.h>
#include <softpub.h>

#include <vector>

#include "SystemLibrary.h"
#include "TextCodec.h"
#include "UniqueHandle.h"

namespace {

// wintrust.dll and crypt32.dll are not known DLLs of the loader: their functions come from the
// system folder.
template <typename Function>
Function* Crypt32(const char* name) {
    return SystemFunctionAs<Function>("crypt32.dll", name);
}

struct TrustApi {
    decltype(&WinVerifyTrust) verifyTrust =
        SystemFunctionAs<decltype(WinVerifyTrust)>("wintrust.dll", "WinVerifyTrust");
    decltype(&CryptQueryObject) queryObject = Crypt32<decltype(CryptQueryObject)>("CryptQueryObject");
    decltype(&CryptMsgGetParam) msgGetParam = Crypt32<decltype(CryptMsgGetParam)>("CryptMsgGetParam");
    decltype(&CryptMsgClose) msgClose = Crypt32<decltype(CryptMsgClose)>("CryptMsgClose");
    decltype(&CertCloseStore) closeStore = Crypt32<decltype(CertCloseStore)>("CertCloseStore");
    decltype(&CertOpenStore) openStore = Crypt32<decltype(CertOpenStore)>("CertOpenStore");
    decltype(&CertAddStoreToCollection) addToCollection =
        Crypt32<decltype(CertAddStoreToCollection)>("CertAddStoreToCollection");
    decltype(&CertFindCertificateInStore) findCertificate =
        Crypt32<decltype(CertFindCertificateInStore)>("CertFindCertificateInStore");
    decltype(&CertFreeCertificateContext) freeCertificate =
        Crypt32<decltype(CertFreeCertificateContext)>("CertFreeCertificateContext");
    decltype(&CertGetCertificateChain) getChain =
        Crypt32<decltype(CertGetCertificateChain)>("CertGetCertificateChain");
    decltype(&CertFreeCertificateChain) freeChain =
        Crypt32<decltype(CertFreeCertificateChain)>("CertFreeCertificateChain");
    decltype(&CertVerifyCertificateChainPolicy) verifyPolicy =
        Crypt32<decltype(CertVerifyCertificateChainPolicy)>("CertVerifyCertificateChainPolicy");
    decltype(&CertGetNameStringW) nameString = Crypt32<decltype(CertGetNameStringW)>("CertGetNameStringW");

    bool Loaded() const {
        return verifyTrust && queryObject && msgGetParam && msgClose && closeStore && openStore &&
               addToCollection && findCertificate && freeCertificate && getChain && freeChain &&
               verifyPolicy && nameString;
    }
};

const TrustApi& Trust() {
    static const TrustApi api;
    return api;
}

// WinVerifyTrust's answer for the embedded signature; its state data is always closed again.
LONG VerifyEmbedded(const std::wstring& path) {
    WINTRUST_FILE_INFO file{};
    file.cbStruct = sizeof file;
    file.pcwszFilePath = path.c_str();
    WINTRUST_DATA data{};
    data.cbStruct = sizeof data;
    data.dwUIChoice = WTD_UI_NONE;
    data.fdwRevocationChecks = WTD_REVOKE_NONE;
    data.dwUnionChoice = WTD_CHOICE_FILE;
    data.pFile = &file;
    data.dwStateAction = WTD_STATEACTION_VERIFY;
    data.dwProvFlags = WTD_CACHE_ONLY_URL_RETRIEVAL;
    GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
    const LONG result = Trust().verifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);
    data.dwStateAction = WTD_STATEACTION_CLOSE;
    Trust().verifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);
    return result;
}

bool MeansUnsigned(LONG result) {
    return result == static_cast<LONG>(TRUST_E_NOSIGNATURE) ||
           result == static_cast<LONG>(TRUST_E_SUBJECT_FORM_UNKNOWN) ||
           result == static_cast<LONG>(TRUST_E_PROVIDER_UNKNOWN);
}

// The digest held: a verdict on the certificates themselves (the CERT_E_ codes, an explicit distrust,
// a subject not trusted) is left to the chain check below.
bool DigestHeld(LONG result) {
    return result == ERROR_SUCCESS || (static_cast<ULONG>(result) & 0xFFFFFF00u) == 0x800B0100u ||
           result == static_cast<LONG>(TRUST_E_SUBJECT_NOT_TRUSTED);
}

// Owners of the crypt32 objects, closed through the functions loaded from the system folder.
struct StoreTraits {
    using Handle = HCERTSTORE;
    static Handle Empty() noexcept { return nullptr; }
    static void Close(Handle store) noexcept { Trust().closeStore(store, 0); }
};
struct MessageTraits {
    using Handle = HCRYPTMSG;
    static Handle Empty() noexcept { return nullptr; }
    static void Close(Handle message) noexcept { Trust().msgClose(message); }
};
struct CertificateTraits {
    using Handle = PCCERT_CONTEXT;
    static Handle Empty() noexcept { return nullptr; }
    static void Close(Handle certificate) noexcept { Trust().freeCertificate(certificate); }
};
struct ChainTraits {
    using Handle = PCCERT_CHAIN_CONTEXT;
    static Handle Empty() noexcept { return nullptr; }
    static void Close(Handle chain) noexcept { Trust().freeChain(chain); }
};
using UniqueStore = UniqueHandle<StoreTraits>;

// The signature's message and its certificates, closed when done.
class EmbeddedSignature {
public:
    explicit EmbeddedSignature(const std::wstring& path) {
        DWORD encoding = 0, content = 0, format = 0;
        Trust().queryObject(CERT_QUERY_OBJECT_FILE, path.c_str(), CERT_QUERY_CONTENT_FLAG_PKCS7_SIGNED_EMBED,
                            CERT_QUERY_FORMAT_FLAG_BINARY, 0, &encoding, &content, &format, store_.put(),
                            message_.put(), nullptr);
        if (store_ && message_)
            signer_.reset(SignerCertificate());
    }

    PCCERT_CONTEXT Signer() const { return signer_.get(); }
    HCERTSTORE Store() const { return store_.get(); }

private:
    PCCERT_CONTEXT SignerCertificate() const {
        DWORD size = 0;
        if (!Trust().msgGetParam(message_.get(), CMSG_SIGNER_INFO_PARAM, 0, nullptr, &size) || size == 0)
            return nullptr;
        std::vector<BYTE> buffer(size);
        if (!Trust().msgGetParam(message_.get(), CMSG_SIGNER_INFO_PARAM, 0, buffer.data(), &size))
            return nullptr;
        const auto* info = reinterpret_cast<const CMSG_SIGNER_INFO*>(buffer.data());
        CERT_INFO wanted{};
        wanted.Issuer = info->Issuer;
        wanted.SerialNumber = info->SerialNumber;
        return Trust().findCertificate(store_.get(), X509_ASN_ENCODING | PKCS_7_ASN_ENCODING, 0,
                                       CERT_FIND_SUBJECT_CERT, &wanted, nullptr);
    }

    UniqueStore store_;
    UniqueHandle<MessageTraits> message_;
    UniqueHandle<CertificateTraits> signer_;
};

// The wide call: its sizes are plainly UTF-16 characters, where the ANSI one's would have to be bytes of
// the code page for a name in UTF-8 to fit.
std::string SubjectName(PCCERT_CONTEXT certificate) {
    const DWORD size = Trust().nameString(certificate, CERT_NAME_SIMPLE_DISPLAY_TYPE, 0, nullptr, nullptr, 0);
    if (size <= 1)
        return {};
    std::wstring name(size, L'\0');
    Trust().nameString(certificate, CERT_NAME_SIMPLE_DISPLAY_TYPE, 0, nullptr, name.data(), size);
    return FromWide(name.substr(0, name.find(L'\0')), CP_ACP);
}

UniqueStore RootStore(DWORD location) {
    return UniqueStore(
        Trust().openStore(CERT_STORE_PROV_SYSTEM_A, 0, 0, location | CERT_STORE_READONLY_FLAG, "ROOT"));
}

bool HoldsCertificate(const UniqueStore& store, PCCERT_CONTEXT certificate) {
    if (!store)
        return false;
    const UniqueHandle<CertificateTraits> found(Trust().findCertificate(
        store.get(), certificate->dwCertEncodingType, 0, CERT_FIND_EXISTING, certificate, nullptr));
    return static_cast<bool>(found);
}

// Whether the signer's chain ends in a root this computer trusts, checked here: Wine's chain engine
// trusts only the current user's roots and its Authenticode policy passes an untrusted root. The chain
// is built over the signature's certificates and the local machine's roots, and must be complete, free
// of any fault but an untrusted root, and end in a certificate of either ROOT store.
bool ChainTrusted(const EmbeddedSignature& signature) {
    const UniqueStore machineRoots = RootStore(CERT_SYSTEM_STORE_LOCAL_MACHINE);
    const UniqueStore userRoots = RootStore(CERT_SYSTEM_STORE_CURRENT_USER);
    const UniqueStore candidates(Trust().openStore(CERT_STORE_PROV_COLLECTION, 0, 0, 0, nullptr));
    if (!candidates.get() || !Trust().addToCollection(candidates.get(), signature.Store(), 0, 0))
        return false;
    if (machineRoots.get())
        Trust().addToCollection(candidates.get(), machineRoots.get(), 0, 1);
    CERT_CHAIN_PARA parameters{};
    parameters.cbSize = sizeof parameters;
    UniqueHandle<ChainTraits> chain;
    if (!Trust().getChain(nullptr, signature.Signer(), nullptr, candidates.get(), &parameters, 0, nullptr,
                          chain.put()))
        return false;
    bool trusted = chain->cChain > 0 && chain->rgpChain[0]->cElement > 0 &&
                   (chain->TrustStatus.dwErrorStatus & ~DWORD{CERT_TRUST_IS_UNTRUSTED_ROOT}) == 0;
    if (trusted) {
        const CERT_SIMPLE_CHAIN& simple = *chain->rgpChain[0];
        const PCCERT_CONTEXT root = simple.rgpElement[simple.cElement - 1]->pCertContext;
        trusted = HoldsCertificate(machineRoots, root) || HoldsCertificate(userRoots, root);
    }
    if (trusted) {
        CERT_CHAIN_POLICY_PARA policy{};
        policy.cbSize = sizeof policy;
        CERT_CHAIN_POLICY_STATUS status{};
        status.cbSize = sizeof status;
        trusted = Trust().verifyPolicy(CERT_CHAIN_POLICY_AUTHENTICODE, chain.get(), &policy, &status) &&
                  (status.dwError == 0 || status.dwError == static_cast<DWORD>(CERT_E_UNTRUSTEDROOT));
    }
    return trusted;
}

}  // namespace

const char* SignatureStateName(SignatureState state) {
    switch (state) {
        case SignatureState::Valid:
            return "valid";
        case SignatureState::Untrusted:
            return "untrusted";
        case SignatureState::Invalid:
            return "invalid";
        default:
            return "unsigned";
    }
}

FileSignature ReadFileSignature(const std::string& path) {
    if (!Trust().Loaded())
        return {};
    const std::wstring widePath = ToWide(path, CP_ACP);
    const LONG verdict = VerifyEmbedded(widePath);
    if (MeansUnsigned(verdict))
        return {};
    const EmbeddedSignature signature(widePath);
    FileSignature result;
    if (signature.Signer())
        result.signer = SubjectName(signature.Signer());
    if (!DigestHeld(verdict))
        result.state = SignatureState::Invalid;
    else if (signature.Signer() && ChainTrusted(signature))
        result.state = SignatureState::Valid;
    else
        result.state = SignatureState::Untrusted;
    return result;
}
