# Reference figures of the paired tests' golden texts (paired.csv): R's own
# tests on the valid pairs, unweighted and with the cases repeated by w.
d <- read.csv("paired.csv")
d$paper[d$paper %in% 9] <- NA; d$web[d$web %in% 9] <- NA
d$before[d$before %in% 99] <- NA; d$after[d$after %in% 99] <- NA
for (weighted in c(FALSE, TRUE)) {
  e <- if (weighted) d[rep(seq_len(nrow(d)), d$w), ] else d
  cat(if (weighted) "weighted\n" else "unweighted\n")
  m <- na.omit(e[, c("paper", "web")])
  t <- table(factor(m$paper, 1:2), factor(m$web, 1:2)); print(t)
  b <- t[1, 2]; c <- t[2, 1]
  cat("mcnemar exact p", binom.test(min(b, c), b + c)$p.value, "\n")
  print(mcnemar.test(t, correct = TRUE))
  s <- na.omit(e[, c("before", "after")])
  gt <- sum(s$before > s$after); lt <- sum(s$before < s$after); n <- gt + lt
  cat("sign >", gt, "<", lt, "exact p", binom.test(min(gt, lt), n)$p.value,
      "z", (min(gt, lt) + 0.5 - n / 2) / (sqrt(n) / 2),
      "p", 2 * pnorm(-abs((min(gt, lt) + 0.5 - n / 2) / (sqrt(n) / 2))), "\n")
  dd <- s$before - s$after; dd <- dd[dd != 0]; r <- rank(abs(dd))
  cat("wilcoxon n", nrow(s), "ties", sum(s$before == s$after), "neg", sum(dd < 0), "pos", sum(dd > 0),
      "rank sums", sum(r[dd < 0]), sum(r[dd > 0]), "mean ranks", mean(r[dd < 0]), mean(r[dd > 0]), "\n")
  print(suppressWarnings(wilcox.test(s$before, s$after, paired = TRUE, exact = FALSE, correct = FALSE)))
}
for (weighted in c(FALSE, TRUE)) {
  e <- if (weighted) d[rep(seq_len(nrow(d)), d$w), ] else d
  m <- na.omit(e[, c("paper", "radio")])
  t <- table(factor(m$paper, 1:2), factor(m$radio, 1:2)); print(t)
  cat("paper x radio exact p", binom.test(min(t[1, 2], t[2, 1]), t[1, 2] + t[2, 1])$p.value, "\n")
  print(mcnemar.test(t, correct = TRUE))
}
