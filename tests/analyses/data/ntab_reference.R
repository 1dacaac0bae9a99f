# Reference figures of the n-way table tests (NtabTextTest) from the
# crosstab survey: Rscript ntab_reference.R
d <- read.csv("xtab.csv")
d$edu[d$edu %in% 9] <- NA
t1 <- xtabs(~ edu + sex, d)
print(t1)
print(round(100 * prop.table(t1, margin = 2), 1))
print(round(100 * prop.table(t1), 1))
t2 <- xtabs(~ edu + sex + region, d)
print(ftable(t2, row.vars = 1))
s <- d[!is.na(d$edu), ]
t3 <- xtabs(~ sex + edu + region + w, s)
print(ftable(t3, row.vars = c(4, 1)))

# The set issue1..issue3 (codes 1-5, 9 missing) by paper (9 missing):
# answers per code and column, and the percentages of answers and of cases
# (cases with at least one valid answer).
m <- read.csv("multresp.csv")
m <- m[!is.na(m$paper) & m$paper != 9, ]
long <- data.frame(paper = rep(m$paper, 3), code = c(m$issue1, m$issue2, m$issue3))
long <- long[!is.na(long$code) & long$code != 9, ]
answers <- xtabs(~ code + paper, long)
print(answers)
print(round(100 * prop.table(answers, margin = 2), 1))
valid <- !is.na(m$issue1) & m$issue1 != 9 | !is.na(m$issue2) & m$issue2 != 9 | !is.na(m$issue3) & m$issue3 != 9
cases <- table(m$paper[valid])
print(round(100 * sweep(answers, 2, cases, "/"), 1))
