#pragma once
#include "card/CardBuilder.h"
#include "gedcom/GedcomImport.h"
#include "list/PersonList.h"
#include "support/TestHelpers.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

class RecordingHost : public GedcomImportHost {
public:
    explicit RecordingHost(GenealogyStore& store) : store_(store) {}
    void setStatusText(const QString& text) override { statusTexts << text; }
    void progress(qint64 read, qint64) override { progressSteps << read; }
    void applyListSort() override { ::applyListSort(store_.persons, SortItem::None); }
    void buildCard(int num) override { cards << num; fillCardTables(store_, num); }

    QStringList statusTexts;
    QList<int> cards;
    QList<qint64> progressSteps;

private:
    GenealogyStore& store_;
};

class Gedcom : public ::testing::Test {
protected:
    // Imports the given file content (under its own name, if given); returns whether the file was read to its end.
    bool import(const QByteArray& content, const QString& name = QString())
    {
        return importPath(writeFile(dir.filePath(name.isEmpty() ? QStringLiteral("f%1.ged").arg(++files) : name), content));
    }
    bool importPath(const QString& path)
    {
        GedcomImport run(store, host);
        run.begin();
        const bool ok = run.readFile(path);
        error = run.errorText();
        run.finish();
        return ok;
    }
    QList<QList<int>> links() { return linkTriples(store.links); }

    QTemporaryDir dir;
    int files = 0;
    GenealogyStore store;
    RecordingHost host{store};
    QString error;
};

