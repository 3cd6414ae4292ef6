#pragma once
#include <QString>

// The three boxes of a person's name: family name, given name, patronymic.
struct NameParts {
    QString fam;
    QString name;
    QString surname;

    bool operator==(const NameParts&) const = default;
};

// The boxes of a whole name. A name joined from three boxes splits back into
// them exactly, empty ones included; any other name splits into words, and
// the patronymic box takes every word after the second, so nothing is dropped.
NameParts splitName(const QString& whole);
QString joinName(const NameParts& parts);
// A name read as "Имя /Фамилия/" leaves its family name, slashes and all, in a
// later box and the family box empty: this puts it back in the family box.
NameParts withFamilyNameInPlace(NameParts parts);
