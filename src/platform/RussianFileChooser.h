#pragma once
#include <QString>

class QFileDialog;

// Makes a file chooser Qt's own, with its file sizes, type names and dates in
// Russian whatever the system's locale: Qt's translations leave "Folder" and
// "KiB" in English, and the system's chooser speaks the system's language.
void speakRussian(QFileDialog& dialog);

// "512 байт", "1,95 КБ", "12,3 МБ": a file's size as the chooser shows it.
QString russianDataSize(qint64 bytes);
