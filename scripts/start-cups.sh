#!/usr/bin/env bash
# Starts a CUPS scheduler of its own in the folder given with one queue, the default
# printer, which passes each job through the PDF filter of cups-filters into
# <folder>/pdf/printed.pdf (a job replaces the one before). Clients reach it with
# CUPS_SERVER=<folder>/cups.sock; the machine's own printing setup is neither used nor
# changed. The folder is made anew: it must be missing or one this script made.
# scripts/stop-cups.sh <folder> ends the scheduler.
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: start-cups.sh <folder>" >&2; exit 2; }
folder="$(realpath -m "$1")"
socket="$folder/cups.sock"
# The socket's path must fit the length limit of a local socket's name.
[ ${#socket} -lt 100 ] || { echo "start-cups.sh: folder name too long: $folder" >&2; exit 2; }

if [ -e "$folder" ]; then
    [ -f "$folder/.morvik-cups" ] || { echo "start-cups.sh: not a folder of this script: $folder" >&2; exit 2; }
    "$(dirname "$0")/stop-cups.sh" "$folder"
    rm -rf "$folder"
fi
mkdir -p "$folder"/{etc,spool/tmp,cache,state,log,pdf}
touch "$folder/.morvik-cups"
# The scheduler's own user writes the jobs; the tests read and remove them.
chmod 755 "$folder"
chmod 1777 "$folder/pdf"

cat >"$folder/etc/cups-files.conf" <<CONF
ServerRoot $folder/etc
RequestRoot $folder/spool
TempDir $folder/spool/tmp
CacheDir $folder/cache
StateDir $folder/state
ErrorLog $folder/log/error_log
AccessLog $folder/log/access_log
PageLog $folder/log/page_log
FileDevice Yes
CONF

cat >"$folder/etc/cupsd.conf" <<CONF
Listen $socket
Browsing No
WebInterface No
LogLevel warn
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF

# In the foreground of a session of its own, so that it holds none of the caller's
# terminals or pipes; stop-cups.sh ends it by this id.
setsid cupsd -f -c "$folder/etc/cupsd.conf" -s "$folder/etc/cups-files.conf" \
    </dev/null >>"$folder/log/cupsd.out" 2>&1 &
echo $! >"$folder/cupsd.pid"
for _ in $(seq 1 100); do
    [ -S "$socket" ] && break
    sleep 0.1
done
[ -S "$socket" ] || { echo "start-cups.sh: the scheduler did not start" >&2; exit 1; }

# The generic PDF printer of cups-filters: a job passes through its PDF filter, which
# keeps the document's text and fonts as they are.
lpadmin -h "$socket" -p PDF -E -v "file://$folder/pdf/printed.pdf" \
    -P /usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd 2>>"$folder/log/lpadmin.out"
lpadmin -h "$socket" -d PDF
