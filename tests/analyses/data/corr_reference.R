# Reference figures of the correlation and biplot tests, from R:
#   Rscript tests/analyses/data/corr_reference.R
# b's 99 is user-missing, so it reads as NA here.
m <- read.csv("tests/analyses/data/corr.csv")
m$b[m$b == 99] <- NA
v <- m[, c("a", "b", "c", "d")]
options(digits = 10)
cat("listwise r\n"); print(cor(v, use = "complete.obs"))
cat("listwise n", sum(complete.cases(v)), "\n")
cc <- v[complete.cases(v), ]
cat("pairwise r\n"); print(cor(v, use = "pairwise.complete.obs"))
for (i in 1:3) for (j in (i + 1):4) {
  pl <- cor.test(cc[, i], cc[, j])$p.value
  pp <- cor.test(v[, i], v[, j])$p.value
  np <- sum(complete.cases(v[, c(i, j)]))
  cat(sprintf("%s-%s listwise p %.6g  pairwise p %.6g  pairwise n %d\n", names(v)[i], names(v)[j], pl, pp, np))
}
# The biplot of b (x) by a (y): means, sd and se over each variable's own
# valid cases; the line and its test over the valid pairs.
x <- v$b; y <- v$a
se <- function(z) sd(z, na.rm = TRUE) / sqrt(sum(!is.na(z)))
cat(sprintf("x mean %.6f sd %.6f se %.6f\n", mean(x, na.rm = TRUE), sd(x, na.rm = TRUE), se(x)))
cat(sprintf("y mean %.6f sd %.6f se %.6f\n", mean(y, na.rm = TRUE), sd(y, na.rm = TRUE), se(y)))
fit <- summary(lm(y ~ x))
ct <- cor.test(x, y)
cat(sprintf("intercept %.6f slope %.6f r %.6f t %.6f p %.6g n %d r2pct %.4f\n", coef(fit)[1], coef(fit)[2],
            ct$estimate, ct$statistic, ct$p.value, sum(complete.cases(cbind(x, y))), 100 * ct$estimate^2))
