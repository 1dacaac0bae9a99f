# Reference figures of the paired t-test tests (TtestParTest.cpp), before
# against after in ttest.csv: Rscript ttest_reference.R (from this folder).
# Weighted: the frequency weights w repeat each case w times.
d <- read.csv("ttest.csv")
d <- d[!is.na(d$before) & !is.na(d$after), ]
show <- function(x, y) {
  tt <- t.test(x, y, paired = TRUE)
  ct <- cor.test(x, y)
  se <- function(v) sd(v) / sqrt(length(v))
  cat(sprintf("n %d  means %.3f %.3f  sd %.3f %.3f  se %.3f %.3f\n", length(x), mean(x), mean(y),
              sd(x), sd(y), se(x), se(y)))
  cat(sprintf("diff %.3f  t %.3f  p1 %.4f  p2 %.4f\n", mean(x - y), tt$statistic,
              pt(-abs(tt$statistic), tt$parameter), tt$p.value))
  cat(sprintf("r %.3f  t %.3f  p %.4f\n", ct$estimate, ct$statistic, ct$p.value))
}
show(d$before, d$after)
show(rep(d$before, d$w), rep(d$after, d$w))
