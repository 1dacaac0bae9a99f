# Reference figures of the battery golden texts (battery.csv): per item the
# frequency of each code 1-5 and 9, percent of all cases and valid percent
# (9 and empty user- and system-missing), unweighted and weighted by w.
d <- read.csv("battery.csv")
for (weighted in c(FALSE, TRUE)) {
  cat(if (weighted) "weighted\n" else "unweighted\n")
  w <- if (weighted) d$w else rep(1, nrow(d))
  for (item in c("parks", "roads", "libraries")) {
    x <- d[[item]]
    f <- sapply(c(1:5, 9), function(v) sum(w[x %in% v]))
    all <- sum(w); valid <- sum(w[x %in% 1:5])
    cat(item, "freq", f, "missing", sum(w[is.na(x)]), "\n   pct", round(100 * f / all, 1),
        "\n  vpct", round(100 * f[1:5] / valid, 1), "\n")
  }
}
