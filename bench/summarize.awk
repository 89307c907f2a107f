# Prints the figures of bench/run.sh from the CSV files of Google Benchmark (aggregates only)
# and the start-up medians handed in as variables.

function ratio(a, b) { return b > 0 ? a / b : 0 }
function verdict(r, limit) { return r <= limit ? "met" : "MISSED" }
# Milliseconds from a CSV time and its unit.
function ms(t, unit) { return unit == "ns" ? t / 1e6 : unit == "us" ? t / 1e3 : unit == "s" ? t * 1e3 : t }
function mb(bps) { return bps / 1e6 }

BEGIN { FS = "," }
$1 ~ /_median"$/ {
    gsub(/"/, "")
    name = $1
    sub(/_median$/, "", name)
    real[name] = ms($3, $5)
    cpu[name] = ms($4, $5)
    bytes[name] = $6
    label[name] = $8
}
function pair(title, a, b, what, limit,    r) {
    r = ratio(real[a], real[b])
    printf "  %-24s %s %.2f ms, %s %.2f ms, ratio %.2f (target <= %.1f): %s; CPU time ratio %.2f\n",
        title ":", "panel", real[a], what, real[b], r, limit, verdict(r, limit), ratio(cpu[a], cpu[b])
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
    r = ratio(dk_map, min_map)
    print ""
    printf "Start-up on Xvfb, medians of %d interleaved runs, 100 bike files in the directory\n", runs
    printf "  %-24s drevkalk %.1f ms, minimal %.1f ms, ratio %.2f (target <= 1.2): %s\n",
        "window mapped:", dk_map, min_map, r, verdict(r, 1.2)
    r = ratio(dk_hwm, min_hwm)
    printf "  %-24s drevkalk %.1f MiB, minimal %.1f MiB, ratio %.2f (target <= 1.2): %s\n",
        "peak memory (VmHWM):", dk_hwm / 1024, min_hwm / 1024, r, verdict(r, 1.2)
    r = ratio(dk_rss, min_rss)
    printf "  %-24s drevkalk %.1f MiB, minimal %.1f MiB, ratio %.2f\n",
        "resident (VmRSS):", dk_rss / 1024, min_rss / 1024, r

    printf "File panel, 10,000 bike files, medians of %d repetitions (wall clock)\n", runs
    pair("list read at start", "listReadAtStart", "listReadBareQDir", "bare QDir", 1.5)
    pair("list read after a save", "listReadAgain", "listReadBareQDir", "bare QDir", 1.5)
    pair("save and list read", "savePanel", "saveBare", "WriteBikeFile + bare QDir", 1.5)
    t = real["loadOnSelection"]
    printf "  %-24s %.3f ms (target < 1 ms): %s; plain read of the file %.3f ms\n",
        "load on selection:", t, t < 1 ? "met" : "MISSED", real["loadPlainRead"]

    printf "Reader and writer, medians of %d repetitions\n", runs
    rw(22)
    rw(65536)
}
