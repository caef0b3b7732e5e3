#!/usr/bin/env bash
# sign_samples.sh DLL OUTDIR [PREFIX]: copies of DLL signed under a test root (valid once the root is
# trusted), by a self-signed certificate (untrusted), changed after signing (invalid), and left
# unsigned; the root as root.cer (DER) and each copy's SHA-256 as NAME.sha256. PREFIX names the
# certificates ("Tellurin Test" by default).
set -euo pipefail
dll="$(realpath "$1")"
out="$2"
prefix="${3:-Tellurin Test}"
mkdir -p "$out"
cd "$out"
quiet() { "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; exit 1; }; }
quiet openssl req -x509 -newkey rsa:2048 -nodes -keyout root.key -out root.pem -days 3650 -subj "/CN=$prefix Root" \
    -addext basicConstraints=critical,CA:TRUE -addext keyUsage=critical,keyCertSign,cRLSign
quiet openssl req -newkey rsa:2048 -nodes -keyout signer.key -out signer.csr -subj "/O=$prefix Works/CN=$prefix Signer"
printf 'basicConstraints=CA:FALSE\nkeyUsage=critical,digitalSignature\nextendedKeyUsage=codeSigning\n' >signer.ext
quiet openssl x509 -req -in signer.csr -CA root.pem -CAkey root.key -CAcreateserial -out signer.pem -days 3650 \
    -extfile signer.ext
quiet openssl req -x509 -newkey rsa:2048 -nodes -keyout self.key -out self.pem -days 3650 -subj "/CN=$prefix Self Signer" \
    -addext extendedKeyUsage=codeSigning
quiet openssl x509 -in root.pem -outform DER -out root.cer
rm -f valid.dll untrusted.dll
quiet osslsigncode sign -certs signer.pem -key signer.key -h sha256 -in "$dll" -out valid.dll
quiet osslsigncode sign -certs self.pem -key self.key -h sha256 -in "$dll" -out untrusted.dll
# One byte of the DOS stub's message: covered by the digest, harmless to the loader.
cp valid.dll invalid.dll
printf 'X' | dd of=invalid.dll bs=1 seek=78 conv=notrunc status=none
cp "$dll" unsigned.dll
for name in valid untrusted invalid unsigned; do
    sha256sum "$name.dll" | cut -d' ' -f1 >"$name.sha256"
done
