#!/usr/bin/env bash
# The converter and the figures tool as a user meets them, under Wine: a
# full disk at each save-time file is reported and leaves no data set; a
# spreadsheet's CSV (byte-order mark, CR LF) converts; a damaged data set is
# refused in words, not by an error number. Arguments: qvconvert.exe,
# statprint.exe.
set -euo pipefail
qvconvert="$1"; statprint="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
wine="${MERVALO_WINE:-wine}"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

printf 'doc A data set.\nvariable a\ntype u8\nvariable b\n' >"$work/s.desc"
printf '\xef\xbb\xbfa,b\r\n1,2\r\n3,4\r\n' >"$work/s.csv"

# Linux's full device stands for a full disk: every write to it fails.
for temp in 'QV$' 'IN$' 'DK$'; do
    ln -s /dev/full "$work/s.$temp"
    set +e
    (cd "$work" && "$wine" "$qvconvert" s.desc s.csv s.QVF >"$work/out" 2>"$work/err")
    code=$?
    set -e
    message="$(tr -d '\r' <"$work/err")"
    [ "$code" = 1 ] || fail "full disk at s.$temp: exit code $code, expected 1"
    case "$message" in
        *"could not be written"*"s.$temp: the disk is full"*) ;;
        *) fail "full disk at s.$temp: message '$message'" ;;
    esac
    [ ! -e "$work/s.QVF" ] || fail "full disk at s.$temp: a data set was left"
    rm -f "$work/s.$temp" "$work"/s.QVF "$work"/s.IND "$work"/s.dkm
done

(cd "$work" && "$wine" "$qvconvert" s.desc s.csv s.QVF >/dev/null) || fail "a CSV with a byte-order mark does not convert"

# One byte cut off the index: said in words, with the file.
head -c -1 "$work/s.IND" >"$work/cut" && mv "$work/cut" "$work/s.IND"
set +e
(cd "$work" && "$wine" "$statprint" s.QVF desc a >/dev/null 2>"$work/err")
code=$?
set -e
message="$(tr -d '\r' <"$work/err")"
[ "$code" = 1 ] || fail "statprint on a damaged data set: exit code $code"
case "$message" in
    *"The index file does not match the system file."*"s.QVF"*) ;;
    *) fail "statprint on a damaged data set: '$message'" ;;
esac
case "$message" in *"(error "*) fail "statprint gives an error number: '$message'" ;; esac

# Cases left out for their weight (0, -1, missing; 5 of 8 count): every
# computation reports the same count.
printf 'variable x\ntype u8\nvariable y\ntype u8\nvariable w\nweight w\n' >"$work/w.desc"
printf 'x,y,w\n1,1,1\n2,1,0\n1,2,-1\n2,2,\n1,1,2\n2,2,1\n1,2,1\n2,1,1\n' >"$work/w.csv"
(cd "$work" && "$wine" "$qvconvert" w.desc w.csv w.QVF >/dev/null) || fail "the weighted data set does not convert"
for object in "freq x" "xtab x y" "desc x"; do
    excluded="$(cd "$work" && "$wine" "$statprint" w.QVF $object | tr -d '\r' | sed -n 's/^weight.excluded //p')"
    [ "$excluded" = 3 ] || fail "statprint $object: weight.excluded '$excluded', expected 3"
done

[ "$failures" = 0 ] && echo "converter and figures tool messages: all checks passed"
exit "$failures"
