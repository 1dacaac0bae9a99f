# Reference figures of the breakdown tests (OnewayTableTextTest) from
# data/oneway.csv: income by region, user-missing 999 and 9 left out.
# Run: Rscript oneway_reference.R  (from tests/analyses/data)
d <- read.csv("oneway.csv")
d <- d[d$income != 999 & d$region != 9, ]
d$g <- factor(d$region)
fit <- aov(income ~ g, data = d)
a <- summary(fit)[[1]]
cat(sprintf("SS %.2f %.2f MS %.2f %.2f F %.4f p %.4f\n", a[1, 2], a[2, 2], a[1, 3], a[2, 3], a[1, 4], a[1, 5]))
# Levene from its definition: the analysis of variance of |x - group mean|.
d$dev <- abs(d$income - ave(d$income, d$g))
l <- summary(aov(dev ~ g, data = d))[[1]]
cat(sprintf("Levene F %.4f df %d %d p %.4f\n", l[1, 4], l[1, 1], l[2, 1], l[1, 5]))
ms <- summary(fit)[[1]][["Mean Sq"]][2]
k <- nlevels(d$g)
for (a in levels(d$g)) for (b in levels(d$g)) if (a < b) {
  x <- d$income[d$g == a]; y <- d$income[d$g == b]
  welch <- if (length(x) > 1 && length(y) > 1 && var(x) + var(y) > 0) t.test(x, y) else NULL
  pooled <- tryCatch(t.test(x, y, var.equal = TRUE), error = function(e) NULL)
  # Scheffe from its definition: F = (mi - mj)^2 / (MSw (1/ni + 1/nj)) / (k - 1)
  f <- (mean(x) - mean(y))^2 / (ms * (1 / length(x) + 1 / length(y))) / (k - 1)
  cat(a, b, "welch",
      if (is.null(welch)) "NA" else sprintf("%.3f %.2f %.4f", welch$statistic, welch$parameter, welch$p.value),
      "pooled", if (is.null(pooled)) "NA" else sprintf("%.3f %.0f %.4f", pooled$statistic, pooled$parameter, pooled$p.value),
      "scheffe", sprintf("%.4f %.4f", f, pf(f, k - 1, nrow(d) - k, lower.tail = FALSE)), "\n")
}
# Weighted (frequency weights w): the group means, sums and N.
wd <- read.csv("oneway.csv"); wd <- wd[wd$income != 999 & wd$region != 9, ]
print(aggregate(cbind(n = w, s = w * income) ~ region, data = wd, FUN = sum))
