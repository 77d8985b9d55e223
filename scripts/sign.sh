#!/usr/bin/env bash
# Signs a Windows program with Authenticode, by osslsigncode: a SHA-256
# digest, the program's name and home address, the certificate chain and,
# given a timestamp server, an RFC 3161 timestamp.
#
#   sign.sh (--pkcs12 FILE | --cert FILE --key FILE) [--password-file FILE]
#           [--timestamp URL] [--time SECONDS] IN OUT
#
# --pkcs12 takes the certificate, its chain and the key in one file; --cert
# a PEM file holding the certificate and its chain, --key its PEM key. The
# password comes from --password-file or from LUMORA_SIGN_PASSWORD, never
# from the command line. Each option may come from the environment instead:
# LUMORA_SIGN_PKCS12, LUMORA_SIGN_CERT, LUMORA_SIGN_KEY,
# LUMORA_SIGN_PASSWORD_FILE, LUMORA_TIMESTAMP_URL; the signing time
# defaults to SOURCE_DATE_EPOCH. The same file, certificate and time give
# the same signature.
#
# Any error ends it with status 1 and one line saying what is wrong; OUT is
# then absent and IN untouched.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

fail() {
  echo "sign: $*" >&2
  exit 1
}

pkcs12=${LUMORA_SIGN_PKCS12:-} cert=${LUMORA_SIGN_CERT:-} key=${LUMORA_SIGN_KEY:-}
password_file=${LUMORA_SIGN_PASSWORD_FILE:-} timestamp=${LUMORA_TIMESTAMP_URL:-}
time=${SOURCE_DATE_EPOCH:-}
files=()
while [ $# -gt 0 ]; do
  case $1 in
    --pkcs12 | --cert | --key | --password-file | --timestamp | --time)
      [ $# -ge 2 ] || fail "$1 needs a value"
      case $1 in
        --pkcs12) pkcs12=$2 ;;
        --cert) cert=$2 ;;
        --key) key=$2 ;;
        --password-file) password_file=$2 ;;
        --timestamp) timestamp=$2 ;;
        --time) time=$2 ;;
      esac
      shift 2
      ;;
    -*) fail "unknown option $1" ;;
    *)
      files+=("$1")
      shift
      ;;
  esac
done
[ "${#files[@]}" -eq 2 ] || fail "usage: sign.sh (--pkcs12 FILE | --cert FILE --key FILE) [--password-file FILE] [--timestamp URL] [--time SECONDS] IN OUT"
in=${files[0]} out=${files[1]}

# Nothing of an earlier run stands for this one's result.
[ "$(realpath -m -- "$in")" != "$(realpath -m -- "$out")" ] || fail "OUT must not be IN: the unsigned file stays as it is"
rm -f -- "$out"
[ -d "$(dirname -- "$out")" ] || fail "there is no directory $(dirname -- "$out") for $out"

readable() {  # readable FILE WHAT
  { [ -f "$1" ] && head -c 1 -- "$1" >/dev/null 2>&1; } || fail "cannot read $2 $1"
}
readable "$in" "the program"
if [ -n "$pkcs12" ]; then
  [ -z "$cert$key" ] || fail "give either --pkcs12 or --cert and --key, not both"
  readable "$pkcs12" "the PKCS#12 file"
else
  [ -n "$cert" ] && [ -n "$key" ] || fail "no certificate: give --pkcs12, or --cert and --key"
  readable "$cert" "the certificate"
  readable "$key" "the key"
fi
[ -z "$password_file" ] || readable "$password_file" "the password file"
[ -z "$time" ] || [[ $time =~ ^[0-9]+$ ]] || fail "--time takes seconds since 1970, not $time"
[ -z "$timestamp" ] || [[ $timestamp =~ ^https?:// ]] || fail "the timestamp server $timestamp is no http or https address"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The password reaches the tools in a file only this user reads.
password=()
if [ -n "$password_file" ]; then
  password=(-readpass "$password_file")
elif [ -n "${LUMORA_SIGN_PASSWORD:-}" ]; then
  (umask 077 && printf '%s\n' "$LUMORA_SIGN_PASSWORD" >"$work/password")
  password_file=$work/password
  password=(-readpass "$password_file")
fi
passin=(-passin "file:${password_file:-/dev/null}")
[ -n "$password_file" ] || passin=(-passin pass:)

# The signing certificate, to check before it signs anything.
if [ -n "$pkcs12" ]; then
  if ! openssl pkcs12 -in "$pkcs12" "${passin[@]}" -nokeys -clcerts -out "$work/leaf.pem" 2>"$work/err" &&
    ! openssl pkcs12 -legacy -in "$pkcs12" "${passin[@]}" -nokeys -clcerts -out "$work/leaf.pem" 2>>"$work/err"; then
    if grep -qiE "mac verify (error|failure)" "$work/err"; then fail "wrong password for $pkcs12"; fi
    fail "$pkcs12 is no PKCS#12 file openssl can read"
  fi
  signer=(-pkcs12 "$pkcs12")
else
  openssl x509 -in "$cert" -out "$work/leaf.pem" 2>/dev/null || fail "$cert holds no PEM certificate"
  if ! openssl pkey -in "$key" "${passin[@]}" -pubout -out "$work/key.pub" 2>"$work/err"; then
    if grep -qiE "bad decrypt|maybe wrong password" "$work/err"; then fail "wrong password for $key"; fi
    fail "$key holds no PEM key openssl can read"
  fi
  openssl x509 -in "$work/leaf.pem" -noout -pubkey | cmp -s - "$work/key.pub" ||
    fail "the key $key does not belong to the certificate in $cert"
  signer=(-certs "$cert" -key "$key")
fi
subject=$(openssl x509 -in "$work/leaf.pem" -noout -subject -nameopt oneline)
openssl x509 -in "$work/leaf.pem" -noout -ext extendedKeyUsage 2>/dev/null | grep -q "Code Signing" ||
  fail "the certificate ${subject#subject=} is not for code signing (no Code Signing extended key usage)"
openssl x509 -in "$work/leaf.pem" -noout -checkend 0 >/dev/null ||
  fail "the certificate ${subject#subject=} expired on $(openssl x509 -in "$work/leaf.pem" -noout -enddate | cut -d= -f2)"
not_before=$(openssl x509 -in "$work/leaf.pem" -noout -startdate | cut -d= -f2)
[ "$(date -d "$not_before" +%s)" -le "$(date +%s)" ] ||
  fail "the certificate ${subject#subject=} is not valid before $not_before"

# The name and the home address the signature shows, where the maintainer sets them.
homepage=$(sed -n 's/^homepage *= *//p' "${LUMORA_PUBLISHER_CONF:-$here/../packaging/publisher.conf}" | tail -1)
options=(-h sha256 -n Lumora -i "$homepage")
[ -z "$time" ] || options+=(-time "$time")
[ -z "$timestamp" ] || options+=(-ts "$timestamp")

# Made beside OUT and renamed into place once whole.
partial=$(mktemp -d "$(dirname -- "$out")/.sign.XXXXXX")
trap 'rm -rf "$work" "$partial"' EXIT
if ! osslsigncode sign "${signer[@]}" "${password[@]}" "${options[@]}" \
  -in "$in" -out "$partial/signed" >"$work/log" 2>&1; then
  if [ -n "$timestamp" ] && grep -qiE "timestamp|curl|connect" "$work/log"; then
    fail "the timestamp server $timestamp did not answer: $(grep -iE 'curl|connect|timestamp' "$work/log" | head -1)"
  fi
  fail "osslsigncode did not sign: $(grep -v '^Failed$' "$work/log" | head -1)"
fi
mv -f -- "$partial/signed" "$out"
if [ -n "$timestamp" ]; then
  echo "sign: $out signed by ${subject#subject=}, timestamped by $timestamp"
else
  echo "sign: $out signed by ${subject#subject=}, with no timestamp: the signature ends with the certificate"
fi
