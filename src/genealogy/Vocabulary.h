#pragma once
#include <QString>
#include <QStringView>

// The words the tree and GEDCOM share: one table, read by the import and by
// GEDCOM out alike, so that a type written out comes back as itself.

namespace Role {
inline const QString Newborn = QStringLiteral("Новорожденный");
inline const QString Deceased = QStringLiteral("Умерший");
inline const QString Husband = QStringLiteral("Муж");
inline const QString Wife = QStringLiteral("Жена");
inline const QString Unknown = QStringLiteral("Неизвестна");
}

struct EventKind {
    const char* tag;
    QString type;     // the event's type in the tree; empty for EVEN, whose TYPE says it
    QString role;     // the person's role in an event of an individual
    bool family;      // an event of a couple: the husband and the wife take part
};

// The event a tag opens in an INDI record, or in a FAM record; null for other tags.
const EventKind* individualEvent(QStringView tag);
const EventKind* familyEvent(QStringView tag);
// The kind that writes an event of this type; null when only EVEN with TYPE can.
const EventKind* eventKindOfType(const QString& type);

// Attributes of a person, kept as comments titled with their Russian name.
struct AttributeKind {
    const char* tag;
    QString title;
};
const AttributeKind* attributeOfTag(QStringView tag);
const AttributeKind* attributeOfTitle(const QString& title);

// A name's TYPE in the file and the name dialog's type for it: the dialog's
// own types where one fits, any other text as it is.
QString nameTypeOfGedcom(const QString& gedcomType);
QString gedcomOfNameType(const QString& nameType);
// The type of a further name that gives none.
inline const QString DefaultNameType = QStringLiteral("Альтернативное");
inline const QString NicknameType = QStringLiteral("Nickname");
