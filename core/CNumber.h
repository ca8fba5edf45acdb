#pragma once
// Numbers written as text the C way ("446.00625", "-12"), whatever the locale:
// what QLocale::c() reads, read without its cost for the plain forms. Every
// frequency and number of an imported table goes through here.

#include <QStringView>

// A decimal number as QLocale::c() reads it with group separators rejected.
bool ParseCDouble(QStringView text, double* value);
// A whole number as QLocale::c().toInt reads it.
bool ParseCInt(QStringView text, int* value);
