# Reference figures of the multiple-response golden texts (multresp.csv):
# the issues as categories (each valid code of issue1-3 one answer; 9
# user-missing unless counted; listwise: only cases with all three valid),
# the sources as dichotomies (a source counted when it holds the counted
# value). Cases = (weighted) cases with at least one answer; % of answers
# and % of cases.
d <- read.csv("multresp.csv")
show <- function(f, cases) {
  print(rbind(freq = f, pct_answers = round(100 * f / sum(f), 1), pct_cases = round(100 * f / cases, 1)))
  cat("answers", sum(f), "cases", cases, "\n")
}
for (weighted in c(FALSE, TRUE)) {
  w <- if (weighted) d$w else rep(1, nrow(d))
  m <- as.matrix(d[, c("issue1", "issue2", "issue3")])
  for (usermissing in c(FALSE, TRUE)) for (listwise in c(FALSE, TRUE)) {
    codes <- if (usermissing) c(1:5, 9) else 1:5
    valid <- matrix(m %in% codes, nrow(m))
    keep <- rowSums(valid) > 0 & (!listwise | rowSums(valid) == 3)
    f <- sapply(codes, function(k) sum(w[keep] * rowSums(m[keep, , drop = FALSE] == k & valid[keep, , drop = FALSE], na.rm = TRUE)))
    names(f) <- codes
    cat("issues weighted", weighted, "usermissing", usermissing, "listwise", listwise, "\n")
    show(f, sum(w[keep]))
  }
}
# The sources as dichotomies, counted values 1 and 2; base 2 divides by
# the cases valid in each variable (9 missing unless counted as a value).
s <- as.matrix(d[, c("paper", "web", "radio")])
for (weighted in c(FALSE, TRUE)) for (counted in list(1, 2)) for (usermissing in c(FALSE, TRUE)) {
  w <- if (weighted) d$w else rep(1, nrow(d))
  valid <- !is.na(s) & (usermissing | s != 9)
  hit <- valid & matrix(s %in% counted, nrow(s))
  f <- colSums(w * hit); cases <- sum(w[rowSums(hit) > 0])
  cat("sources weighted", weighted, "counted", counted, "usermissing", usermissing, "\n")
  show(f, cases)
  cat("pct of each variable", round(100 * f / colSums(w * valid), 1), "\n")
}
