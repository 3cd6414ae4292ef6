#pragma once
#include <QList>
#include <QPair>
#include <QString>
#include <cstdint>

// Texts the automatic trees give the user.
QString noRecordsMessage();
QString tooManyVisitsMessage(std::int64_t limit);
QString tooManyGenerationsMessage(std::int64_t generations);
QString tooWideMessage(std::int64_t widthInPixels);
// One line per person: number and display name.
QString cycleMessage(const QList<QPair<int, QString>>& persons);
