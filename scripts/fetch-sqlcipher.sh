#!/usr/bin/env bash
# Fetches the SQLCipher amalgamation that the database engine is built from: the registry
# package below at its pinned version, checked against the recorded SHA-256 before
# anything of it is used, and unpacked into .cache/sqlcipher/<version>/ (kept out of git).
# Prints that folder. Runs again cheaply: a cached package is checked again, and files of
# the folder that differ from the package are unpacked anew.
set -euo pipefail
package="@journeyapps/sqlcipher"
version="6.0.0"
sha256="ad3ee0e551de315b230db78e2294d41868b5c166d44c0c87da35fb6b87bde54c"
inner="package/deps/sqlcipher-amalgamation"
files=(sqlite3.c sqlite3.h VERSION.txt)

cache="$(cd "$(dirname "$0")/.." && pwd)/.cache/sqlcipher"
tarball="$cache/journeyapps-sqlcipher-$version.tgz"
folder="$cache/$version"
mkdir -p "$cache"
download=""
unpack=""
trap 'rm -rf "$download" "$unpack"' EXIT

checked() {
    [ -f "$1" ] && echo "$sha256  $1" | sha256sum --check --status
}

if ! checked "$tarball"; then
    if ! command -v npm >/dev/null; then
        echo "fetch-sqlcipher: npm is needed to fetch $package@$version" >&2
        exit 1
    fi
    download="$(mktemp -d "$cache/download.XXXXXX")"
    if ! (cd "$download" && npm pack --silent "$package@$version" >/dev/null); then
        echo "fetch-sqlcipher: npm could not fetch $package@$version (is the registry reachable?)" >&2
        exit 1
    fi
    fetched=("$download"/*.tgz)
    if ! checked "${fetched[0]}"; then
        echo "fetch-sqlcipher: $package@$version does not match its recorded SHA-256" >&2
        exit 1
    fi
    mv -f "${fetched[0]}" "$tarball"
fi

for file in "${files[@]}"; do
    if ! tar -xzOf "$tarball" "$inner/$file" | cmp -s - "$folder/$file"; then
        unpack="$(mktemp -d "$cache/unpack.XXXXXX")"
        tar -xzmf "$tarball" -C "$unpack" "${files[@]/#/$inner/}"
        rm -rf "$folder"
        mv "$unpack/$inner" "$folder"
        break
    fi
done
echo "$folder"
