# Reference figures of the region map's values and classes on the sample
# survey, derived from the raw values (samples/survey.csv) and the missing
# codes of samples/survey.desc, independently of the program.
#   Rscript region_stats.R ../../../../samples/survey.csv > region_stats.txt
#   Rscript region_stats.R ../../../../samples/survey.csv ../../../../samples/survey.desc > age_regions.txt
# The second form writes the map page's text of age with the default
# classes (five of equal width over the regions' values).
# Cases count with a weight above 0; a region's value is the weighted mean
# of the variable over its cases with a valid value.
args <- commandArgs(trailingOnly = TRUE)
d <- read.csv(args[1])
missing <- list(age = 99, hours = 99, wellbeing = numeric(0))
decimals <- list(age = 0, hours = 1, wellbeing = 3)
ok_w <- !is.na(d$weight) & d$weight > 0
fmt <- function(x) trimws(formatC(x, digits = 15, format = "g"))
line <- function(...) cat(paste0(...), "\n", sep = "")

# Classes from the values: equal widths, + 1 for whole numbers.
equal_width <- function(lo, hi, k, dec) {
  w <- (hi - lo + ifelse(dec == 0, 1, 0)) / k
  b <- numeric(k + 1); b[1] <- lo
  for (i in seq_len(k - 1)) b[i + 1] <- b[i] + w
  b[k + 1] <- hi
  b
}
# Classes by the regions' values: 0-based position floor(n i / k) + 1 of the
# sorted values, ties pushed apart by 1 (whole numbers) or 2 x 10^-dec.
by_regions <- function(x, k, dec) {
  x <- sort(x); n <- length(x); k <- min(k, n)
  push <- if (dec >= 1) 2 * 10^-dec else 1
  b <- numeric(k + 1); b[1] <- x[1]
  for (i in seq_len(k - 1)) {
    at <- (n * i) %/% k + 1
    b[i + 1] <- if (at < n) x[at + 1] else x[n]
    while (!(b[i + 1] > b[i])) b[i + 1] <- b[i + 1] + push
  }
  b[k + 1] <- x[n]
  b
}
# Classes by the cases' values: step floor(n / k), bound i + 1 at 0-based
# position min(step (i + 1), n - 1).
by_cases <- function(x, k) {
  x <- sort(x); n <- length(x); step <- n %/% k
  c(x[1], sapply(seq_len(k), function(i) x[min(step * i, n - 1) + 1]))
}
round_whole <- function(b) ceiling(b - 0.5)
whole_range_classes <- function(lo, hi, k, dec) if (dec == 0 && hi - lo + 1 < k) floor(hi - lo + 1) else k

if (length(args) > 1) {
  desc <- readLines(args[2])
  from <- which(desc == "variable region"); to <- which(desc == "variable resp_id")
  labels <- regmatches(desc[from:to], regexec("^value ([0-9]+) = (.*)$", desc[from:to]))
  names <- sapply(1:20, function(r) Filter(function(m) length(m) && m[2] == r, labels)[[1]][3])
  valid <- ok_w & !is.na(d$age) & d$age != 99
  n <- sapply(1:20, function(r) sum(valid & d$region == r))
  m <- sapply(1:20, function(r) { s <- valid & d$region == r; sum(d$weight[s] * d$age[s]) / sum(d$weight[s]) })
  b <- equal_width(min(m), max(m), 5, 2)
  cat("\n Number of regions: 20\n \n")
  cat(sprintf(" Minimum value: %.2f\n Maximum value: %.2f\n \n", min(m), max(m)))
  cat(sprintf(" %6s%-2s%-24s%7s%12s%7s\n", "Region", "", "Name", "Cases", "Value", "Class"))
  cat(" ", strrep("-", 58), "\n", sep = "")
  for (r in 1:20) {
    cls <- 5; for (i in 1:4) if (m[r] < b[i + 1]) { cls <- i; break }
    cat(sprintf(" %6d%-2s%-24s%7d%12.2f%7d\n", r, "", substr(names[r], 1, 23), n[r], m[r], cls))
  }
  cat(" ")
  quit()
}
for (v in c("age", "hours", "wellbeing")) {
  x <- d[[v]]
  valid <- ok_w & !is.na(x) & !(x %in% missing[[v]])
  line("variable ", v)
  means <- c()
  for (r in 1:20) {
    s <- valid & d$region == r
    m <- sum(d$weight[s] * x[s]) / sum(d$weight[s])
    means <- c(means, m)
    line("region ", r, " ", sum(s), " ", fmt(m))
  }
  # The regions' means are not whole numbers: two decimals at least.
  rdec <- max(decimals[[v]], 2)
  for (k in c(5, 7)) {
    lo <- min(means); hi <- max(means)
    line("map ", k, " range ", fmt(lo), " ", fmt(hi))
    line("map ", k, " values ", paste(fmt(equal_width(lo, hi, k, rdec)), collapse = " "))
    line("map ", k, " regions ", paste(fmt(by_regions(means, k, rdec)), collapse = " "))
    cases <- x[valid]
    dec <- decimals[[v]]
    lo <- min(cases); hi <- max(cases)
    kk <- whole_range_classes(lo, hi, k, dec)
    b <- equal_width(lo, hi, kk, dec); if (dec == 0) b <- round_whole(b)
    line("cases ", k, " range ", fmt(lo), " ", fmt(hi))
    line("cases ", k, " values ", paste(fmt(b), collapse = " "))
    b <- by_cases(cases, kk); if (dec == 0) b <- round_whole(b)
    line("cases ", k, " cases ", paste(fmt(b), collapse = " "))
  }
}
