// ZafLocaleDefaults: the number conventions that the print and scan
// conversions of string, integer and real data follow, and the name of the
// code set that texts inside the library are in.
//
// Until locale data exists the current conventions are the canonical ones
// (the library's built-in locale: '.' decimal point, ',' thousands, signs
// "+" / "-" before the number, "$" before the number, '(' ')' parentheses,
// "%d" / "%g" default formats). The locale data installs the current locale's
// conventions with SetCurrent; the caller keeps the record alive while it is
// current. Texts are plain C texts that the record does not own.
#pragma once

struct ZafNumberConventions
{
    const char *decimalSeparator;
    const char *monDecimalSeparator;
    const char *thousandsSeparator;
    const char *monThousandsSeparator;
    const char *currencySymbol;
    unsigned char grouping[10]; // group sizes, one byte each, 0 ends
    unsigned char monGrouping[10];
    int posCurrencyPrecedes; // 1: currency symbol before a positive number
    int negCurrencyPrecedes; // 1: currency symbol before a negative number
    const char *positiveSign;
    int posSignPosition;    // 0 parentheses, 1-4 sign places, else none
    int posSpaceSeparation; // 1: blank between number and currency
    const char *negativeSign;
    int negSignPosition;
    int negSpaceSeparation;
    const char *leftParen;
    const char *rightParen;
    const char *integerScanFormat; // default formats of integer and real data
    const char *integerPrintFormat;
    const char *realScanFormat;
    const char *realPrintFormat;
    const char *digits;    // ten digits, then up to nine place characters
    const char *altDigits; // the same, used with the 'a' print flag
};

class ZafLocaleDefaults
{
public:
    // The built-in conventions; never change.
    static const ZafNumberConventions &Canonical();
    // The conventions in force: those last installed, else the canonical ones.
    static const ZafNumberConventions &Current();
    // Installs conventions (null = the canonical ones); returns the previous
    // record (null when the canonical ones were in force).
    static const ZafNumberConventions *SetCurrent(const ZafNumberConventions *conventions);
};

// Makes the canonical conventions current for its lifetime, so that text
// written to the UI data file reads back the same in every locale.
class ZafCanonicalLocaleScope
{
public:
    ZafCanonicalLocaleScope() : previous(ZafLocaleDefaults::SetCurrent(nullptr)) {}
    ~ZafCanonicalLocaleScope() { ZafLocaleDefaults::SetCurrent(previous); }
    ZafCanonicalLocaleScope(const ZafCanonicalLocaleScope &) = delete;
    ZafCanonicalLocaleScope &operator=(const ZafCanonicalLocaleScope &) = delete;

private:
    const ZafNumberConventions *previous;
};
