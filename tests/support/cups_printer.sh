#!/usr/bin/env bash
# Starts or stops a private CUPS scheduler with one PDF printer (cups-pdf)
# as its default destination, for the printing tests. Arguments:
# setup|stop|start|cleanup FOLDER (stop and start end and restart the
# scheduler of a set-up FOLDER, for the tests of a print that fails). The scheduler listens on FOLDER/cups.sock only (Wine
# reaches it through CUPS_SERVER), keeps its state under FOLDER and writes
# each job as a PDF into FOLDER/pdf, named by its number and title. It runs
# in the foreground of a watchdog that ends it after half an hour, so that a
# run killed before its cleanup leaves no scheduler behind. Where the scheduler
# cannot start, FOLDER/status says why and the tests that need it skip.
set -uo pipefail
action="$1"; folder="$(realpath -m "$2")"
queue="MervaloPDF_$(printf '%s' "$folder" | md5sum | cut -c1-8)"
queueConfig="/etc/cups/cups-pdf-$queue.conf"
status="$folder/status"

stop_scheduler() {
    local pid
    pid="$(cat "$folder/cupsd.pid" 2>/dev/null || true)"
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
        kill "$pid" 2>/dev/null
        for _ in $(seq 50); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -9 "$pid" 2>/dev/null || true
    fi
    rm -f "$folder/cupsd.pid"
}

# The watchdog writes its own pid before it becomes the scheduler's parent:
# setsid forks where its caller leads a process group (as a shell started by
# Wine does), and then $! would name a process that has already ended.
start_scheduler() {
    rm -f "$folder/cupsd.pid"
    setsid sh -c 'echo $$ > "$1"; shift; exec timeout -k 5 1800 "$@"' sh "$folder/cupsd.pid" \
        cupsd -f -c "$folder/cupsd.conf" -s "$folder/cups-files.conf" \
        >> "$folder/log/cupsd.out" 2>&1 < /dev/null &
    export CUPS_SERVER="$folder/cups.sock"
    for _ in $(seq 100); do
        lpstat -r 2>/dev/null | grep -q "is running" && break
        [ -s "$folder/cupsd.pid" ] && ! kill -0 "$(cat "$folder/cupsd.pid")" 2>/dev/null && break
        sleep 0.1
    done
}

fail() {
    echo "$1" > "$status"
    echo "note: no PDF printer for the printing tests: $1"
    stop_scheduler
    rm -f "$queueConfig"
    exit 0
}

case "$action" in
setup)
    stop_scheduler
    rm -rf "$folder"
    mkdir -p "$folder"/{spool,cache,state,log,tmp,pdf}
    chmod 755 "$folder"
    chmod 1777 "$folder"/{spool,tmp,pdf}
    for tool in cupsd lpadmin lpstat pdftotext; do
        command -v "$tool" >/dev/null || fail "$tool is not installed (tools/setup installs it)"
    done
    backend=/usr/lib/cups/backend/cups-pdf
    ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd
    [ -x "$backend" ] && [ -f "$ppd" ] || fail "the cups-pdf printer driver is not installed"
    [ "$(id -u)" -eq 0 ] || fail "the PDF printer's backend runs only for root"
    cat > "$folder/cupsd.conf" <<CONF
Listen $folder/cups.sock
LogLevel warn
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
    Allow all
  </Limit>
</Policy>
CONF
    cat > "$folder/cups-files.conf" <<CONF
ServerRoot $folder
RequestRoot $folder/spool
CacheDir $folder/cache
StateDir $folder/state
TempDir $folder/tmp
ErrorLog $folder/log/error_log
AccessLog $folder/log/access_log
PageLog $folder/log/page_log
SystemGroup root
CONF
    # cups-pdf reads the configuration named after its device URI's path.
    printf 'Out %s\nAnonDirName %s\nUserUMask 0022\nTitlePref 1\nLabel 1\n' "$folder/pdf" "$folder/pdf" > "$queueConfig" ||
        fail "cannot write $queueConfig"
    start_scheduler
    lpstat -r 2>/dev/null | grep -q "is running" ||
        fail "cupsd did not start: $(tail -n 3 "$folder/log/cupsd.out" "$folder/log/error_log" 2>/dev/null | tr '\n' ' ')"
    lpadmin -p "$queue" -E -v "cups-pdf:/$queue" -P "$ppd" > /dev/null 2>&1 || fail "lpadmin could not add the PDF printer"
    lpadmin -d "$queue" > /dev/null 2>&1 || fail "lpadmin could not make the PDF printer the default"
    echo ok > "$status"
    ;;
stop)
    # The scheduler ends, its state kept for start.
    stop_scheduler
    ;;
start)
    start_scheduler
    ;;
cleanup)
    stop_scheduler
    rm -f "$queueConfig"
    ;;
esac
exit 0
