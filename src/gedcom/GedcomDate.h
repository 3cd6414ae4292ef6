#pragma once
#include <QString>

// The GEDCOM date for a stored date text. A text that is exactly a phrase of
// the date dialog becomes the date it means; one that names no real day, or
// offers a choice ("ИЛИ"), becomes a date phrase in parentheses. Any other
// text, such as a date an import kept as its file wrote it, stays as it is.
QString gedcomDate(const QString& text);
