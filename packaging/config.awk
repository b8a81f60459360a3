# The player's config.txt, then the installed defaults: prints the player's
# file with each key it lacks added, with its default, after the last line
# of its section (or in a new section at the end); exits 1 when it lacks
# none. Sections and keys match whatever their case and spacing.
function key(l) { sub(/=.*/, "", l); gsub(/[ \t]/, "", l); return tolower(l) }
function section(l) { gsub(/^[ \t]*\[|\][ \t]*$/, "", l); return tolower(l) }
function header(l) { return l ~ /^[ \t]*\[.*\][ \t]*$/ }
function setting(l) { return l ~ /=/ && l !~ /^[ \t]*[#;]/ }
FNR == 1 { s = "" }
FILENAME == ARGV[1] {
    mine[++lines] = $0
    if (header($0)) s = section($0)
    else if (setting($0)) have[s, key($0)] = 1
    if ($0 ~ /[^ \t]/) last[s] = lines
    next
}
header($0) { s = section($0); if (!(s in title)) { order[++sections] = s; title[s] = $0 } next }
setting($0) && !((s, key($0)) in have) { missing[s] = missing[s] $0 "\n"; added = 1 }
END {
    if (!added) exit 1
    for (i = 1; i <= lines; i++) {
        print mine[i]
        for (s in last)
            if (last[s] == i && s in missing) { printf "%s", missing[s]; delete missing[s] }
    }
    for (n = 1; n <= sections; n++)
        if (order[n] in missing) printf "\n%s\n%s", title[order[n]], missing[order[n]]
}
