# Reference figures of the multiple regression tests (MultregTest.cpp) on
# reg.csv: Rscript reg_reference.R (from this folder).
# Tolerance of x: 1 - R^2 of x on the other independents. Forward and
# backward selection: the F-to-enter/remove rule on the p of each
# variable's t (smallest p enters while below p in; largest p leaves while
# above p out). Pairwise: the regression solved from cor(use =
# "pairwise.complete.obs") of y, x1, x2, x3.
# PSPP REGRESSION (/STATISTICS=COEFF R ANOVA TOL) agrees on B, its standard
# error, Beta, t, p, R, R^2, adjusted R^2 and F at its decimals; its
# tolerances (.90 .72 .66) are not 1 - R^2 of the listwise cases (.93 .70 .66).
d <- read.csv("reg.csv")
show <- function(f, data) {
  m <- lm(f, data = data)
  s <- summary(m)
  x <- model.matrix(m)[, -1, drop = FALSE]
  yy <- model.response(model.frame(m))
  cat(deparse(f), " N", nrow(x), "\n")
  for (v in colnames(x)) {
    o <- setdiff(colnames(x), v)
    tol <- if (length(o)) 1 - summary(lm(x[, v] ~ x[, o]))$r.squared else 1
    k <- s$coefficients[v, ]
    cat(sprintf("%s B %.3f SE %.3f Beta %.3f t %.3f p %.4f tol %.2f\n", v, k[1], k[2],
                k[1] * sd(x[, v]) / sd(yy), k[3], k[4], tol))
  }
  f_ <- s$fstatistic
  cat(sprintf("const %.3f R %.2f R2 %.2f adjR2 %.2f F %.2f pF %.4f\n", coef(m)[1], sqrt(s$r.squared),
              s$r.squared, s$adj.r.squared, f_[1], pf(f_[1], f_[2], f_[3], lower.tail = FALSE)))
  invisible(m)
}
cc <- d[complete.cases(d[, c("y", "x1", "x2", "x3")]), ]
m <- show(y ~ x1 + x2 + x3, cc)
pvals <- function(vars, data) summary(lm(reformulate(vars, "y"), data))$coefficients[-1, 4]
forward <- function(pin) {
  inn <- c(); cand <- c("x1", "x2", "x3")
  repeat {
    p <- sapply(cand, function(v) tail(pvals(c(inn, v), cc), 1))
    if (!length(cand) || min(p) >= pin) break
    inn <- c(inn, cand[which.min(p)]); cand <- setdiff(cand, inn)
  }
  inn
}
backward <- function(pout) {
  inn <- c("x1", "x2", "x3")
  repeat {
    p <- pvals(inn, cc)
    if (max(p) <= pout) break
    inn <- inn[-which.max(p)]
  }
  inn
}
cat("forward 0.05:", forward(0.05), "\n"); show(reformulate(forward(0.05), "y"), cc)
cat("backward 0.05:", backward(0.05), "\n"); show(reformulate(backward(0.05), "y"), cc)
r <- cor(d[, c("y", "x1", "x2", "x3")], use = "pairwise.complete.obs")
beta <- solve(r[-1, -1], r[-1, 1])
sds <- sapply(d[, c("y", "x1", "x2", "x3")], sd, na.rm = TRUE)
mu <- colMeans(d[, c("y", "x1", "x2", "x3")], na.rm = TRUE)
b <- beta * sds[1] / sds[-1]
cat(sprintf("pairwise Beta %s B %s const %.3f R2 %.2f\n", paste(sprintf("%.3f", beta), collapse = " "),
            paste(sprintf("%.3f", b), collapse = " "), mu[1] - sum(b * mu[-1]), sum(beta * r[-1, 1])))
# Residuals of the full model by case number (the saved variable).
res <- residuals(m)
cat(sprintf("%d %.12f\n", cc$id, res), sep = "", file = "reg_residuals.txt")
