# Prints the figures of bench/run.sh: the start-up medians (first file: one line per directory,
# "files drevkalk_ms minimal_ms drevkalk_hwm minimal_hwm drevkalk_rss minimal_rss") and the
# CSV files of Google Benchmark (aggregates only).

function ratio(a, b) { return b > 0 ? a / b : 0 }
function verdict(r, limit) { return r <= limit ? "met" : "MISSED" }
# Milliseconds from a CSV time and its unit.
function ms(t, unit) { return unit == "ns" ? t / 1e6 : unit == "us" ? t / 1e3 : unit == "s" ? t * 1e3 : t }
function mb(bps) { return bps / 1e6 }
function target(limit) { return limit > 0 ? sprintf("(target <= %.2f): %s", limit, verdict(r, limit)) : "" }

BEGIN { FS = "," }
FNR == 1 && FILENAME ~ /startup-medians/ { FS = " "; $0 = $0 }
FILENAME ~ /startup-medians/ {
    files[++sizes] = $1
    dk_map[$1] = $2; min_map[$1] = $3; dk_hwm[$1] = $4; min_hwm[$1] = $5; dk_rss[$1] = $6; min_rss[$1] = $7
    next
}
FNR == 1 { FS = ","; $0 = $0 }
$1 ~ /_median"$/ {
    gsub(/"/, "")
    name = $1
    sub(/_median$/, "", name)
    real[name] = ms($3, $5)
    cpu[name] = ms($4, $5)
    bytes[name] = $6
    label[name] = $8
}
function pair(title, a, b, what, limit) {
    r = ratio(real[a], real[b])
    printf "  %-26s panel %.2f ms, %s %.2f ms, ratio %.2f %s; CPU time ratio %.2f\n",
        title ":", real[a], what, real[b], r, target(limit), ratio(cpu[a], cpu[b])
}
function rw(size,    base, n, i, names) {
    base = "plainRead/" size
    printf "  %s file: plain read (QFile::readAll) %.1f MB/s (%.1f us a file)\n", label[base],
        mb(bytes[base]), real[base] * 1e3
    n = split("parseRecord formatRecord ReadBikeFile plainWrite WriteBikeFile", names, " ")
    for (i = 1; i <= n; i++)
        printf "    %-14s %8.1f MB/s, %7.2f x the plain read (%.1f us a file)\n", names[i],
            mb(bytes[names[i] "/" size]), ratio(bytes[names[i] "/" size], bytes[base]),
            real[names[i] "/" size] * 1e3
}
END {
    split("1.05 1.2 2", mapLimit, " ")
    split("1.05 0 1.3", hwmLimit, " ")
    print ""
    printf "Start-up on Xvfb until the window is mapped, medians of %d interleaved runs,\n", runs
    printf "against a minimal window (menu bar, 30 line edits, an empty list) in the same directory\n"
    for (i = 1; i <= sizes; i++) {
        n = files[i]
        r = ratio(dk_map[n], min_map[n])
        printf "  %6d bike files: time   drevkalk %6.1f ms,  minimal %6.1f ms,  ratio %.2f %s\n",
            n, dk_map[n], min_map[n], r, target(mapLimit[i])
        r = ratio(dk_hwm[n], min_hwm[n])
        printf "                     memory drevkalk %6.1f MiB, minimal %6.1f MiB, ratio %.2f %s" \
            "; resident %.1f / %.1f MiB\n", dk_hwm[n] / 1024, min_hwm[n] / 1024, r,
            target(hwmLimit[i]), dk_rss[n] / 1024, min_rss[n] / 1024
    }

    printf "File panel, 100,000 bike files, medians of %d repetitions (wall clock)\n", runs
    printf "  the floor: readdir and the same sort, %.2f ms\n", real["listReadBare"]
    pair("list read at start", "listReadAtStart", "listReadBare", "floor", 0)
    pair("list read again", "listReadAgain", "listReadBare", "floor", 0)
    pair("spara, list read included", "savePanel", "listReadBare", "floor", 2)
    pair("Ta bort, list read included", "deletePanel", "listReadBare", "floor", 2)
    t = real["loadOnSelection"]
    printf "  %-26s %.3f ms (target < 0.25 ms): %s; plain read of the file %.3f ms\n",
        "load on selection:", t, t < 0.25 ? "met" : "MISSED", real["loadPlainRead"]

    printf "Reader and writer, medians of %d repetitions\n", runs
    rw(22)
    rw(65536)
}
