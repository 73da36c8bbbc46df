#!/usr/bin/env bash
# Signs Windows programs in place with osslsigncode (Authenticode, SHA-256).
#
#   sign.sh FILE...     sign them with the key the environment names
#   sign.sh --enabled   exit 0 when the environment names a key, 1 when not
#
# The key, either
#   VELQUOR_SIGN_PFX            a PKCS#12 file with key and certificate, and
#   VELQUOR_SIGN_PASSWORD       its password
# or
#   VELQUOR_SIGN_PKCS11_MODULE  a PKCS#11 module (a token or HSM), with
#   VELQUOR_SIGN_PKCS11_KEY     the key's id on it,
#   VELQUOR_SIGN_CERT           the certificate (PEM) and
#   VELQUOR_SIGN_PASSWORD       the token's PIN, if it wants one.
# VELQUOR_SIGN_TIMESTAMP_URL (optional) names an RFC 3161 time-stamping service; without one the
# signature carries no time stamp and is valid only as long as the certificate.
set -eu

if [ "${1:-}" = --enabled ]; then
  [ -n "${VELQUOR_SIGN_PFX:-}${VELQUOR_SIGN_PKCS11_MODULE:-}" ]
  exit
fi

key=()
if [ -n "${VELQUOR_SIGN_PFX:-}" ]; then
  key=(-pkcs12 "$VELQUOR_SIGN_PFX")
elif [ -n "${VELQUOR_SIGN_PKCS11_MODULE:-}" ]; then
  key=(-pkcs11module "$VELQUOR_SIGN_PKCS11_MODULE" -key "${VELQUOR_SIGN_PKCS11_KEY:?}"
    -certs "${VELQUOR_SIGN_CERT:?}")
else
  echo "sign.sh: no key (VELQUOR_SIGN_PFX or VELQUOR_SIGN_PKCS11_MODULE)" >&2
  exit 2
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [ -n "${VELQUOR_SIGN_PASSWORD:-}" ]; then
  # From a file, so that the password shows in no process list.
  (umask 077 && printf '%s' "$VELQUOR_SIGN_PASSWORD" >"$work/pass")
  key+=(-readpass "$work/pass")
fi
timestamp=()
if [ -n "${VELQUOR_SIGN_TIMESTAMP_URL:-}" ]; then
  timestamp=(-ts "$VELQUOR_SIGN_TIMESTAMP_URL")
fi

for file in "$@"; do
  osslsigncode sign "${key[@]}" "${timestamp[@]}" -h sha256 -n Velquor \
    -i https://www.morvane.example -in "$file" -out "$work/signed" >/dev/null
  # cat keeps the file's own permissions and name; the signed copy replaces the content.
  cat "$work/signed" >"$file"
  rm "$work/signed"
done
