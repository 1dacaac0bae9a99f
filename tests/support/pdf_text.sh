#!/bin/sh
# Waits until FOLDER holds COUNT PDF files (the printer writes one a job) and
# the newest job's reads whole, then writes its text (pdftotext -layout, pages
# separated by form feeds) to OUT, all at once, so that a reader that polls
# for OUT never sees half of it. Gives up after a minute, leaving no OUT.
# Arguments: FOLDER COUNT OUT.
folder="$1"; count="$2"; out="$3"
i=0
while [ "$i" -lt 600 ]; do
    i=$((i + 1))
    n=$(ls "$folder"/*.pdf 2>/dev/null | wc -l)
    if [ "$n" -ge "$count" ]; then
        # The printer names each PDF "job_<number>-<title>.pdf": the
        # highest number is the newest job.
        number=$(ls "$folder" | sed -n 's/^job_\([0-9]*\)-.*\.pdf$/\1/p' | sort -n | tail -n 1)
        newest=$(ls "$folder"/job_"$number"-*.pdf 2>/dev/null | head -n 1)
        if pdfinfo "$newest" > /dev/null 2>&1 && pdftotext -layout "$newest" "$out.part" 2> /dev/null; then
            printf '%s\n' "$newest" > "$out.name"
            mv "$out.part" "$out"
            exit 0
        fi
    fi
    sleep 0.1
done
exit 1
