# Reference figures of the golden tests computed with R (run by
# make_references.py, which adds the PSPP and scipy figures). Prints one line
# per figure: name, value (NA when the figure cannot be computed), tolerance,
# tool. Weighted figures replicate every case by its (whole) weight, which is
# what frequency weights mean.

options(digits = 15)
args <- commandArgs(trailingOnly = TRUE)
dir <- if (length(args) > 0) args[1] else "."

out <- function(name, value, tol = 1e-8, tool = "R") {
  if (length(value) != 1 || is.na(value) || !is.finite(value)) {
    cat(name, "NA", tol, tool, "\n")
  } else {
    cat(sprintf("%s %.15g %g %s\n", name, value, tol, tool))
  }
}

read_set <- function(file) {
  first <- readLines(file, n = 1)
  codes <- trimws(sub("^# user-missing:", "", first))
  d <- read.csv(file, comment.char = "#", na.strings = "")
  missing <- list()
  if (nchar(codes) > 0) {
    for (p in strsplit(codes, " +")[[1]]) {
      kv <- strsplit(p, "=")[[1]]
      missing[[kv[1]]] <- as.numeric(kv[2])
    }
  }
  list(raw = d, missing = missing)
}

# User-missing codes become NA.
clean <- function(s) {
  d <- s$raw
  for (v in names(s$missing)) d[[v]][!is.na(d[[v]]) & d[[v]] %in% s$missing[[v]]] <- NA
  d
}

replicate_cases <- function(d) d[rep(seq_len(nrow(d)), d$w), ]

survey <- read_set(file.path(dir, "survey.csv"))
sv <- clean(survey)
svw <- replicate_cases(sv)
small <- read_set(file.path(dir, "paired_small.csv"))
sm <- clean(small)
smw <- replicate_cases(sm)

# ---- descriptives and quantile summary --------------------------------------
# Quartiles (type 2: the inverse of the empirical distribution function,
# averaged where it is flat) and the whisker ends: the smallest value not
# below Q1 - IQR, the largest not above Q3 + IQR; all the mean when the
# values are equal.
quantile_figures <- function(prefix, x) {
  q <- quantile(x, c(0.25, 0.5, 0.75), type = 2, names = FALSE)
  if (min(x) == max(x)) q <- rep(mean(x), 3)
  iqr <- q[3] - q[1]
  out(paste0(prefix, ".q1"), q[1])
  out(paste0(prefix, ".median"), q[2])
  out(paste0(prefix, ".q3"), q[3])
  lo <- if (min(x) == max(x)) mean(x) else min(x[x >= q[1] - iqr])
  hi <- if (min(x) == max(x)) mean(x) else max(x[x <= q[3] + iqr])
  out(paste0(prefix, ".whisklow"), lo)
  out(paste0(prefix, ".whiskhigh"), hi)
}
desc <- function(prefix, x, cases) {
  x <- x[!is.na(x)]
  n <- length(x)
  out(paste0(prefix, ".count"), cases)
  out(paste0(prefix, ".n"), n)
  out(paste0(prefix, ".sum"), sum(x))
  out(paste0(prefix, ".mean"), mean(x))
  out(paste0(prefix, ".min"), min(x))
  out(paste0(prefix, ".max"), max(x))
  s <- sd(x)
  out(paste0(prefix, ".sd"), s)
  for (lv in c(95, 99)) {
    h <- qt(1 - (1 - lv / 100) / 2, n - 1) * s / sqrt(n)
    out(paste0(prefix, ".lower", lv), mean(x) - h)
    out(paste0(prefix, ".upper", lv), mean(x) + h)
  }
  quantile_figures(prefix, x)
}
for (v in c("x1", "y", "k")) {
  desc(paste0("desc.", v), sv[[v]], sum(!is.na(sv[[v]])))
  desc(paste0("desc.", v, ".w"), svw[[v]], sum(!is.na(sv[[v]]) & sv$w > 0))
}

# Statistics of one variable over its valid cases, or only those also valid
# in a partner variable, or only those below a limit: N the sum of the
# weights, the standard error sd / sqrt(N), the integer flag whether every
# value is whole; sd and its error need N > 1, everything else one case.
stat_figures <- function(prefix, d, weighted, x, partner = NULL, limit = Inf) {
  w <- if (weighted) d$w else rep(1, nrow(d))
  ok <- w > 0 & !is.na(d[[x]]) & d[[x]] < limit
  if (!is.null(partner)) ok <- ok & !is.na(d[[partner]])
  v <- rep(d[[x]][ok], w[ok])
  n <- length(v)
  out(paste0(prefix, ".valid"), sum(ok))
  out(paste0(prefix, ".n"), n)
  out(paste0(prefix, ".integer"), as.numeric(all(v == floor(v))))
  if (n == 0) {
    for (f in c("min", "max", "mean", "sd", "se", "q1", "median", "q3", "whisklow",
                "whiskhigh", "qmin", "qmax")) out(paste0(prefix, ".", f), NA)
    return(invisible())
  }
  out(paste0(prefix, ".min"), min(v))
  out(paste0(prefix, ".max"), max(v))
  out(paste0(prefix, ".mean"), mean(v))
  out(paste0(prefix, ".sd"), if (n > 1) sd(v) else NA)
  out(paste0(prefix, ".se"), if (n > 1) sd(v) / sqrt(n) else NA)
  quantile_figures(prefix, v)
  out(paste0(prefix, ".qmin"), min(v))
  out(paste0(prefix, ".qmax"), max(v))
}
for (weighted in c(FALSE, TRUE)) {
  suffix <- if (weighted) ".w" else ""
  stat_figures(paste0("stat.x1", suffix), sv, weighted, "x1")
  stat_figures(paste0("stat.x1_y", suffix), sv, weighted, "x1", partner = "y")
  # g is user-missing (9) in one case and system-missing in another.
  stat_figures(paste0("stat.y_g", suffix), sv, weighted, "y", partner = "g")
  # Below 55.5 leaves out the four values 55.5 too; below 29 keeps 27.5
  # (weight 0) and 28.9 (weight 3); below 28 keeps only the case of weight 0.
  for (limit in c(55.5, 29, 28))
    stat_figures(sprintf("stat.x1.below%g%s", limit, suffix), sv, weighted, "x1",
                 limit = limit)
  stat_figures(paste0("stat.pre", suffix), sv, weighted, "pre")
}
# The median example of the frequency table: 1, 2, 3, 4 has median 2.5.
out("quantile.example.median", quantile(c(1, 2, 3, 4), 0.5, type = 2, names = FALSE))

# ---- frequency distributions -------------------------------------------------
freqs <- function(prefix, raw, codes, w) {
  keep <- w > 0
  raw <- raw[keep]
  w <- w[keep]
  valid <- !is.na(raw) & !(raw %in% codes)
  total <- sum(w)
  validTotal <- sum(w[valid])
  values <- sort(unique(raw[!is.na(raw)]))
  for (v in values) {
    f <- sum(w[!is.na(raw) & raw == v])
    miss <- v %in% codes
    out(sprintf("%s.value.%g.freq", prefix, v), f)
    out(sprintf("%s.value.%g.pct", prefix, v), f * 100 / total)
    out(sprintf("%s.value.%g.vpct", prefix, v), if (miss) -1 else f * 100 / validTotal)
  }
  if (any(is.na(raw))) {
    f <- sum(w[is.na(raw)])
    out(paste0(prefix, ".value.sysmis.freq"), f)
    out(paste0(prefix, ".value.sysmis.pct"), f * 100 / total)
    out(paste0(prefix, ".value.sysmis.vpct"), -1)
  }
  out(paste0(prefix, ".categories"), length(values) + any(is.na(raw)))
  out(paste0(prefix, ".mean"), mean(raw[valid]))
}
for (v in c("a", "b", "g")) {
  codes <- if (is.null(survey$missing[[v]])) numeric(0) else survey$missing[[v]]
  freqs(paste0("freq.", v), survey$raw[[v]], codes, rep(1, nrow(survey$raw)))
  freqs(paste0("freq.", v, ".w"), survey$raw[[v]], codes, survey$raw$w)
}

# ---- crosstab: rows a, columns b ----------------------------------------------
xtab <- function(prefix, d) {
  ok <- !is.na(d$a) & !is.na(d$b)
  a <- d$a[ok]
  b <- d$b[ok]
  tab <- table(a, b)
  n <- sum(tab)
  cs <- suppressWarnings(chisq.test(tab, correct = FALSE))
  out(paste0(prefix, ".chisq"), unname(cs$statistic))
  out(paste0(prefix, ".df"), unname(cs$parameter))
  out(paste0(prefix, ".p"), cs$p.value)
  for (i in seq_len(nrow(tab))) for (j in seq_len(ncol(tab))) {
    cell <- sprintf("%s.cell.%d_%d", prefix, i, j)
    out(paste0(cell, ".count"), tab[i, j])
    out(paste0(cell, ".expected"), cs$expected[i, j])
    out(paste0(cell, ".deviation"), tab[i, j] - cs$expected[i, j])
    out(paste0(cell, ".stddev"), cs$residuals[i, j])
  }
  out(paste0(prefix, ".taub"), cor(a, b, method = "kendall"))
  # tau-a straight from its definition over all pairs of cases.
  s <- sum(sign(outer(a, a, "-")) * sign(outer(b, b, "-"))) / 2
  out(paste0(prefix, ".taua"), s / (n * (n - 1) / 2))
}
xtab("xtab.a_b", sv)
xtab("xtab.a_b.w", svw)

# ---- one-way analysis of y by g ----------------------------------------------
oneway <- function(prefix, d) {
  ok <- !is.na(d$y) & !is.na(d$g)
  y <- d$y[ok]
  g <- factor(d$g[ok])
  a <- anova(lm(y ~ g))
  out(paste0(prefix, ".ssb"), a[1, 2])
  out(paste0(prefix, ".ssw"), a[2, 2])
  out(paste0(prefix, ".dfb"), a[1, 1])
  out(paste0(prefix, ".dfw"), a[2, 1])
  out(paste0(prefix, ".f"), a[1, 4])
  out(paste0(prefix, ".p"), a[1, 5])
  dev <- abs(y - ave(y, g))
  l <- anova(lm(dev ~ g))
  out(paste0(prefix, ".levene.f"), l[1, 4])
  out(paste0(prefix, ".levene.df1"), l[1, 1])
  out(paste0(prefix, ".levene.df2"), l[2, 1])
  out(paste0(prefix, ".levene.p"), l[1, 5])
  lv <- levels(g)
  k <- length(lv)
  msw <- a[2, 3]
  for (i in lv) {
    out(sprintf("%s.group.%s.n", prefix, i), sum(g == i))
    out(sprintf("%s.group.%s.mean", prefix, i), mean(y[g == i]))
  }
  for (ii in 1:(k - 1)) for (jj in (ii + 1):k) {
    i <- lv[ii]; j <- lv[jj]
    yi <- y[g == i]; yj <- y[g == j]
    pair <- sprintf("%s.%s_%s", prefix, i, j)
    if (length(yi) >= 2 && length(yj) >= 2) {
      w <- t.test(yi, yj)
      out(paste0(pair, ".welch.t"), unname(w$statistic))
      out(paste0(pair, ".welch.df"), unname(w$parameter))
      out(paste0(pair, ".welch.p"), w$p.value)
    } else {
      out(paste0(pair, ".welch.t"), NA)
    }
    # The pooled t of two groups is the t of the group indicator in a
    # regression on those two groups (also with a group of one case).
    two <- factor(c(rep(0, length(yi)), rep(1, length(yj))))
    cf <- summary(lm(c(yi, yj) ~ two))$coefficients
    out(paste0(pair, ".pooled.t"), -cf[2, 3])
    out(paste0(pair, ".pooled.df"), length(yi) + length(yj) - 2)
    out(paste0(pair, ".pooled.p"), cf[2, 4])
    f <- (mean(yi) - mean(yj))^2 / (msw * (1 / length(yi) + 1 / length(yj))) / (k - 1)
    out(paste0(pair, ".scheffe.f"), f)
    out(paste0(pair, ".scheffe.p"), pf(f, k - 1, a[2, 1], lower.tail = FALSE))
  }
}
oneway("oneway.y_g", sv)
oneway("oneway.y_g.w", svw)

# ---- correlations of x1 x2 x3 x4 y -------------------------------------------
cvars <- c("x1", "x2", "x3", "x4", "y")
corr <- function(prefix, d, pairwise) {
  listwise <- d[complete.cases(d[cvars]), ]
  for (i in seq_along(cvars)) for (j in seq_along(cvars)) {
    if (j >= i) next
    dd <- if (pairwise) d[!is.na(d[[cvars[i]]]) & !is.na(d[[cvars[j]]]), ] else listwise
    ct <- cor.test(dd[[cvars[i]]], dd[[cvars[j]]])
    name <- sprintf("%s.%s_%s", prefix, cvars[i], cvars[j])
    out(paste0(name, ".r"), unname(ct$estimate))
    out(paste0(name, ".p"), ct$p.value)
    out(paste0(name, ".n"), nrow(dd))
  }
}
corr("corr.list", sv, FALSE)
corr("corr.list.w", svw, FALSE)
corr("corr.pair", sv, TRUE)

# ---- regression of y on x1 x2 x3 x4 --------------------------------------------
xs <- c("x1", "x2", "x3", "x4")
fit <- function(d, vars) lm(reformulate(if (length(vars)) vars else "1", "y"), data = d)
pvalues <- function(d, vars) setNames(summary(fit(d, vars))$coefficients[vars, 4], vars)
tolerance <- function(d, v, others) {
  if (!length(others)) return(1)
  1 - summary(lm(reformulate(others, v), data = d))$r.squared
}
report_model <- function(prefix, d, inEq) {
  m <- fit(d, inEq)
  s <- summary(m)
  cf <- s$coefficients
  sy <- sd(d$y)
  out(paste0(prefix, ".ineq"), length(inEq))
  out(paste0(prefix, ".n"), nrow(d))
  if (length(inEq)) {
    out(paste0(prefix, ".b0"), cf[1, 1])
    out(paste0(prefix, ".se0"), cf[1, 2])
    out(paste0(prefix, ".r"), sqrt(s$r.squared))
    out(paste0(prefix, ".r2"), s$r.squared)
    out(paste0(prefix, ".adjr2"), s$adj.r.squared)
    out(paste0(prefix, ".f"), unname(s$fstatistic[1]))
    out(paste0(prefix, ".pf"), pf(s$fstatistic[1], s$fstatistic[2], s$fstatistic[3],
                                  lower.tail = FALSE))
  }
  for (v in xs) {
    row <- sprintf("%s.%s", prefix, v)
    if (v %in% inEq) {
      out(paste0(row, ".in"), 1)
      b <- cf[v, 1]; se <- cf[v, 2]
      tol <- tolerance(d, v, setdiff(inEq, v))
      tv <- cf[v, 3]; pv <- cf[v, 4]
    } else {
      out(paste0(row, ".in"), 0)
      cf2 <- summary(fit(d, c(inEq, v)))$coefficients
      b <- cf2[v, 1]; se <- cf2[v, 2]; tv <- cf2[v, 3]; pv <- cf2[v, 4]
      tol <- tolerance(d, v, inEq)
    }
    out(paste0(row, ".b"), b)
    out(paste0(row, ".se"), se)
    out(paste0(row, ".beta"), b * sd(d[[v]]) / sy)
    out(paste0(row, ".t"), tv)
    out(paste0(row, ".p"), pv)
    out(paste0(row, ".tol"), tol)
  }
}
forward <- function(d, pin) {
  inEq <- character(0)
  repeat {
    cand <- setdiff(xs, inEq)
    if (!length(cand)) break
    ps <- sapply(cand, function(v) pvalues(d, c(inEq, v))[v])
    names(ps) <- cand
    best <- names(which.min(ps))
    if (!(ps[best] < pin)) break
    inEq <- c(inEq, best)
  }
  inEq
}
backward <- function(d, pout) {
  inEq <- xs
  while (length(inEq)) {
    ps <- pvalues(d, inEq)
    names(ps) <- inEq
    worst <- names(which.max(ps))
    if (!(ps[worst] > pout)) break
    inEq <- setdiff(inEq, worst)
  }
  inEq
}
regsets <- list(list("reg.enter", sv), list("reg.enter.w", svw))
for (rs in regsets) {
  d <- rs[[2]][complete.cases(rs[[2]][c(xs, "y")]), ]
  report_model(rs[[1]], d, xs)
}
dl <- sv[complete.cases(sv[c(xs, "y")]), ]
fw <- forward(dl, 0.05)
out("reg.forward.steps", max(1, length(fw)))
report_model("reg.forward", dl, fw)
bw <- backward(dl, 0.05)
out("reg.backward.steps", 1 + length(xs) - length(bw))
report_model("reg.backward", dl, bw)
# A forward selection that lets every variable in with p in = 0.99.
fw99 <- forward(dl, 0.99)
report_model("reg.forward99", dl, fw99)

# Pairwise deletion: the normal equations of R's pairwise correlations, each
# variable's mean and standard deviation over its own valid cases, N the
# smallest pairwise count.
local({
  vars <- c(xs, "y")
  C <- cor(sv[vars], use = "pairwise.complete.obs")
  valid <- !is.na(sv[vars])
  N <- min(crossprod(valid))
  sds <- sapply(sv[vars], sd, na.rm = TRUE)
  means <- sapply(sv[vars], mean, na.rm = TRUE)
  p <- length(xs)
  Rxx <- C[xs, xs]
  rxy <- C[xs, "y"]
  inv <- solve(Rxx)
  beta <- inv %*% rxy
  r2 <- sum(beta * rxy)
  df <- N - p - 1
  seBeta <- sqrt((1 - r2) / df * diag(inv))
  b <- beta * sds["y"] / sds[xs]
  seB <- seBeta * sds["y"] / sds[xs]
  sigma2 <- (N - 1) * sds["y"]^2 * (1 - r2) / df
  covB <- sigma2 * inv / ((N - 1) * outer(sds[xs], sds[xs]))
  b0 <- means["y"] - sum(b * means[xs])
  se0 <- sqrt(sigma2 / N + t(means[xs]) %*% covB %*% means[xs])
  out("reg.pairwise.n", N)
  out("reg.pairwise.b0", b0)
  out("reg.pairwise.se0", se0)
  out("reg.pairwise.r2", r2)
  out("reg.pairwise.adjr2", 1 - (1 - r2) * (N - 1) / df)
  f <- (r2 / p) / ((1 - r2) / df)
  out("reg.pairwise.f", f)
  out("reg.pairwise.pf", pf(f, p, df, lower.tail = FALSE))
  for (i in seq_along(xs)) {
    row <- paste0("reg.pairwise.", xs[i])
    out(paste0(row, ".b"), b[i])
    out(paste0(row, ".se"), seB[i])
    out(paste0(row, ".beta"), beta[i])
    out(paste0(row, ".t"), b[i] / seB[i])
    out(paste0(row, ".p"), 2 * pt(-abs(b[i] / seB[i]), df))
    out(paste0(row, ".tol"), 1 / inv[i, i])
  }
})

# ---- paired tests ------------------------------------------------------------
paired <- function(prefix, x, y) {
  ok <- !is.na(x) & !is.na(y)
  x <- x[ok]; y <- y[ok]
  n <- length(x)
  out(paste0(prefix, ".n"), n)
  out(paste0(prefix, ".meanx"), mean(x))
  out(paste0(prefix, ".meany"), mean(y))
  out(paste0(prefix, ".sdx"), sd(x))
  out(paste0(prefix, ".sdy"), sd(y))
  out(paste0(prefix, ".sex"), sd(x) / sqrt(n))
  out(paste0(prefix, ".sey"), sd(y) / sqrt(n))
  out(paste0(prefix, ".diff"), mean(x - y))
  tt <- t.test(x, y, paired = TRUE)
  out(paste0(prefix, ".t"), unname(tt$statistic))
  out(paste0(prefix, ".p2"), tt$p.value)
  out(paste0(prefix, ".p1"), tt$p.value / 2)
  ct <- cor.test(x, y)
  out(paste0(prefix, ".r"), unname(ct$estimate))
  out(paste0(prefix, ".tr"), unname(ct$statistic))
  out(paste0(prefix, ".pr"), ct$p.value)
}
paired("paired.pre_post", sv$pre, sv$post)
paired("paired.pre_post.w", svw$pre, svw$post)
paired("paired.small", sm$before, sm$after)

sign_test <- function(prefix, x, y) {
  ok <- !is.na(x) & !is.na(y)
  x <- x[ok]; y <- y[ok]
  larger <- sum(x > y); smaller <- sum(x < y); n <- larger + smaller
  out(paste0(prefix, ".larger"), larger)
  out(paste0(prefix, ".smaller"), smaller)
  out(paste0(prefix, ".exact"), as.numeric(n <= 25))
  if (n <= 25) {
    out(paste0(prefix, ".p"), binom.test(min(larger, smaller), n)$p.value)
  } else {
    z <- min(0, (min(larger, smaller) + 0.5 - n / 2) / (sqrt(n) / 2))
    out(paste0(prefix, ".z"), z)
    out(paste0(prefix, ".p"), 2 * pnorm(-abs(z)))
  }
}
sign_test("sign.pre_post", sv$pre, sv$post)
sign_test("sign.pre_post.w", svw$pre, svw$post)
sign_test("sign.small", sm$before, sm$after)
sign_test("sign.small.w", smw$before, smw$after)

wilcoxon <- function(prefix, x, y) {
  ok <- !is.na(x) & !is.na(y)
  d <- (x - y)[ok]
  zeros <- sum(d == 0)
  d <- d[d != 0]
  n <- length(d)
  r <- rank(abs(d))
  out(paste0(prefix, ".zeros"), zeros)
  out(paste0(prefix, ".positive"), sum(d > 0))
  out(paste0(prefix, ".negative"), sum(d < 0))
  out(paste0(prefix, ".possum"), sum(r[d > 0]))
  out(paste0(prefix, ".negsum"), sum(r[d < 0]))
  out(paste0(prefix, ".posmean"), mean(r[d > 0]))
  out(paste0(prefix, ".negmean"), mean(r[d < 0]))
  tmin <- min(sum(r[d > 0]), sum(r[d < 0]))
  if (n <= 25) {
    if (anyDuplicated(abs(d)) == 0) {
      p2 <- wilcox.test(d, exact = TRUE)$p.value
    } else {
      # With tied ranks: every one of the 2^n sign patterns of the given ranks.
      signs <- as.matrix(expand.grid(rep(list(c(0, 1)), n)))
      tplus <- signs %*% r
      p2 <- min(1, 2 * mean(tplus <= tmin + 1e-9))
    }
    out(paste0(prefix, ".exact2"), p2)
  } else {
    w <- wilcox.test(d, exact = FALSE, correct = FALSE)
    z <- qnorm(w$p.value / 2)
    out(paste0(prefix, ".z"), z)
    out(paste0(prefix, ".zp"), w$p.value)
  }
}
wilcoxon("wilcoxon.pre_post", sv$pre, sv$post)
wilcoxon("wilcoxon.pre_post.w", svw$pre, svw$post)
wilcoxon("wilcoxon.small", sm$before, sm$after)
wilcoxon("wilcoxon.small.w", smw$before, smw$after)

mcnemar <- function(prefix, x, y) {
  tab <- table(factor(x, levels = c(0, 1)), factor(y, levels = c(0, 1)))
  b <- tab[1, 2]; c <- tab[2, 1]
  out(paste0(prefix, ".a"), tab[1, 1])
  out(paste0(prefix, ".b"), b)
  out(paste0(prefix, ".c"), c)
  out(paste0(prefix, ".d"), tab[2, 2])
  if (b + c <= 25) {
    out(paste0(prefix, ".exact"), 1)
    out(paste0(prefix, ".p"), binom.test(b, b + c)$p.value)
  } else {
    out(paste0(prefix, ".exact"), 0)
    m <- mcnemar.test(tab, correct = TRUE)
    out(paste0(prefix, ".chisq"), unname(m$statistic))
    out(paste0(prefix, ".p"), m$p.value)
  }
}
mcnemar("mcnemar.d1_d2", sv$d1, sv$d2)
mcnemar("mcnemar.d1_d2.w", svw$d1, svw$d2)

# ---- multiple response (multresp.csv) -----------------------------------------
# Weighted sets are replicated cases, so every function below counts rows.
mr <- read_set(file.path(dir, "multresp.csv"))
mrw <- mr$raw[rep(seq_len(nrow(mr$raw)), mr$raw$w), ]
items <- c("q1", "q2", "q3")
dichotomies <- c("m1", "m2", "m3", "m4")
# Per case and variable: present and, unless user-missing codes count, not
# the variable's user-missing code.
usable <- function(d, vars, includeUserMissing) {
  sapply(vars, function(v) {
    x <- d[[v]]
    !is.na(x) & (includeUserMissing | !(x %in% mr$missing[[v]]))
  })
}

# Category coding: every usable value of every item is one answer; a case
# counts with at least one answer (listwise: with every item usable).
# Percentages of all answers and of the counted cases.
mrfreq <- function(prefix, d, listwise, includeUserMissing, weighted) {
  ok <- usable(d, items, includeUserMissing)
  keep <- rowSums(ok) > 0 & (!listwise | rowSums(ok) == length(items))
  x <- as.matrix(d[items])[keep, , drop = FALSE]
  answers <- x[ok[keep, , drop = FALSE]]
  cases <- sum(keep)
  codes <- sort(unique(answers))
  out(paste0(prefix, ".cases"), cases)
  out(paste0(prefix, ".categories"), length(codes))
  for (code in codes) {
    f <- sum(answers == code)
    p <- sprintf("%s.code.%g", prefix, code)
    if (!weighted) out(paste0(p, ".count"), f)
    out(paste0(p, ".freq"), f)
    out(paste0(p, ".pctanswers"), 100 * f / length(answers))
    out(paste0(p, ".pctcases"), 100 * f / cases)
  }
}

# Dichotomies: a usable value inside one of the ranges is the variable's
# answer; listwise a case needs every variable usable. Percentages of all
# answers, of the cases with an answer and of the cases usable in the
# variable.
mrdiko <- function(prefix, d, listwise, includeUserMissing, ranges, weighted) {
  ok <- usable(d, dichotomies, includeUserMissing)
  keep <- !listwise | rowSums(ok) == length(dichotomies)
  x <- as.matrix(d[dichotomies])
  inside <- Reduce(`|`, lapply(ranges, function(r) !is.na(x) & x >= r[1] & x <= r[2]))
  answered <- ok & inside & keep
  cases <- sum(rowSums(answered) > 0)
  out(paste0(prefix, ".cases"), cases)
  for (v in dichotomies) {
    f <- sum(answered[, v])
    base <- sum(ok[keep, v])
    p <- paste0(prefix, ".", v)
    if (!weighted) out(paste0(p, ".count"), f)
    out(paste0(p, ".freq"), f)
    out(paste0(p, ".pctanswers"), 100 * f / sum(answered))
    out(paste0(p, ".pctcases"), 100 * f / cases)
    out(paste0(p, ".pctvariable"), if (base > 0) 100 * f / base else NA)
  }
}

for (weighted in c(FALSE, TRUE)) {
  d <- if (weighted) mrw else mr$raw
  suffix <- if (weighted) ".w" else ""
  for (listwise in c(FALSE, TRUE)) {
    for (user in c(FALSE, TRUE)) {
      name <- paste0(if (listwise) "list" else "pair", if (user) ".user" else "")
      mrfreq(paste0("mrfreq.", name, suffix), d, listwise, user, weighted)
      mrdiko(paste0("mrdiko.", name, suffix), d, listwise, user, list(c(1, 1)), weighted)
    }
  }
  mrdiko(paste0("mrdiko.pair.user.nine", suffix), d, FALSE, TRUE, list(c(1, 1), c(9, 9)),
         weighted)
}

# ---- n-way tables ---------------------------------------------------------------
# Cells of the control variables' categories and the dependent's (or the
# set's answers): a case counts with every control valid and at least one
# valid answer; a set's case adds one to the cell of each answer. pct1 is of
# the column (the cases, or the answers, of the control combination), pct2
# of the whole table on that base, pct3 pct1 cumulated over the dependent's
# categories. Also the counted cases, the cells that occur and each
# dimension's categories.
ntab <- function(prefix, d, members, controls, byAnswers = FALSE) {
  valid <- !is.na(as.matrix(d[members]))
  keep <- complete.cases(d[controls]) & rowSums(valid) > 0
  dk <- d[keep, , drop = FALSE]
  answersPerCase <- rowSums(valid[keep, , drop = FALSE])
  long <- do.call(rbind, lapply(members, function(m) {
    has <- !is.na(dk[[m]])
    r <- dk[has, controls, drop = FALSE]
    r$answer <- dk[[m]][has]
    r
  }))
  long$one <- 1
  cells <- aggregate(reformulate(c(controls, "answer"), "one"), data = long, FUN = sum)
  cells <- cells[do.call(order, unname(as.list(cells[c(controls, "answer")]))), ]
  key <- function(t) do.call(paste, c(lapply(t[controls], sprintf, fmt = "%g"), sep = "."))
  column <- key(cells)
  caseColumn <- key(dk)
  base <- if (byAnswers) tapply(answersPerCase, caseColumn, sum) else table(caseColumn)
  total <- if (byAnswers) sum(answersPerCase) else nrow(dk)
  pct1 <- 100 * cells$one / as.numeric(base[column])
  pct3 <- ave(pct1, column, FUN = cumsum)
  out(paste0(prefix, ".cases"), nrow(dk))
  out(paste0(prefix, ".cells"), nrow(cells))
  dims <- c(controls, "answer")
  for (i in seq_along(dims))
    out(sprintf("%s.categories.%d", prefix, i), length(unique(long[[dims[i]]])))
  for (i in seq_len(nrow(cells))) {
    p <- sprintf("%s.cell.%s.%g", prefix, column[i], cells$answer[i])
    out(paste0(p, ".count"), cells$one[i])
    out(paste0(p, ".pct1"), pct1[i])
    out(paste0(p, ".pct2"), 100 * cells$one[i] / total)
    out(paste0(p, ".pct3"), pct3[i])
  }
}
mrc <- clean(mr)
mrcw <- replicate_cases(mrc)
ntab("ntab.a_g", sv, "a", "g")
ntab("ntab.a_g.w", svw, "a", "g")
ntab("ntab.a_d1_d2_g", sv, "a", c("d1", "d2", "g"))
ntab("ntab.set_g", mrc, items, "g")
ntab("ntab.set_g.answers.w", mrcw, items, "g", byAnswers = TRUE)
ntab("ntab.set_s_g.answers", mrc, items, c("s", "g"), byAnswers = TRUE)
ntab("ntab.set_s_g.w", mrcw, items, c("s", "g"))
