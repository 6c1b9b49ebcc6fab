#!/usr/bin/env bash
# Starts a CUPS scheduler of its own in the folder given (made when missing) with one
# queue, the default printer, that writes every job as a PDF file into <folder>/pdf.
# Clients reach it with CUPS_SERVER=<folder>/cups.sock; nothing of the machine's own
# printing setup is used or changed, except the queue's cups-pdf settings file in
# /etc/cups, which scripts/stop-cups.sh removes again. Runs as root: cupsd starts the
# PDF backend as root.
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: start-cups.sh <folder>" >&2; exit 2; }
folder="$(realpath -m "$1")"
socket="$folder/cups.sock"
# The socket path must stay within the limit of a local socket's name.
[ ${#socket} -lt 100 ] || { echo "start-cups.sh: folder name too long: $folder" >&2; exit 2; }
queue="morvik-$(printf '%s' "$folder" | cksum | cut -d' ' -f1)"

"$(dirname "$0")/stop-cups.sh" "$folder"
rm -rf "$folder"
mkdir -p "$folder"/{etc,spool/tmp,cache,state,log,pdf,cups-pdf}
chmod 755 "$folder"
# The backend writes the PDF files as the job's user; the tests read them.
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
FileDevice No
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

cat >"/etc/cups/cups-pdf-$queue.conf" <<CONF
Out $folder/pdf
Spool $folder/cups-pdf
Log $folder/log
AnonDirName $folder/pdf
UserPrefix
Grp root
LogType 1
DecodeHexStrings 1
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

ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
lpadmin -h "$socket" -p "$queue" -E -v "cups-pdf:/$queue" -P "$ppd"
lpadmin -h "$socket" -d "$queue"
echo "$queue"
