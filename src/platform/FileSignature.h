// The Authenticode signature of a file: whether it holds, and who signed it.
#pragma once

#include <string>

enum class SignatureState { Unsigned, Valid, Untrusted, Invalid };

// "unsigned", "valid", "untrusted" or "invalid".
const char* SignatureStateName(SignatureState state);

struct FileSignature {
    SignatureState state = SignatureState::Unsigned;
    std::string signer;  // the signing certificate's subject, simple display name; empty when unsigned
};

// Valid: the digest matches and the signer's chain ends in a trusted root. Untrusted: the digest
// matches, the chain does not (a partial chain included). Invalid: the file changed after signing.
// Reads the file only; nothing is run, nothing is fetched from the network.
FileSignature ReadFileSignature(const std::string& path);
