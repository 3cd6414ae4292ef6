#include "support/TestHelpers.h"

#include "list/ui/PersonListController.h"
#include "platform/ApplicationSettings.h"
#include "store/GenealogyStore.h"

#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTableView>

QStringList columnTexts(const RecordTable& table, int field)
{
    QStringList out;
    for (int p = 0; p < table.recordCount(); ++p)
        out << table.stringAt(table.rowAt(p), field);
    return out;
}

QList<int> columnIntegers(const RecordTable& table, int field)
{
    QList<int> out;
    for (int p = 0; p < table.recordCount(); ++p)
        out << table.integerAt(table.rowAt(p), field);
    return out;
}

bool TableSnapshot::sameRows(const TableSnapshot& other) const
{
    if (rows.size() != other.rows.size())
        return false;
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i].creation != other.rows[i].creation || rows[i].cells != other.rows[i].cells)
            return false;
    return true;
}

TableSnapshot snapshotOf(const RecordTable& table)
{
    TableSnapshot snapshot{table.savedRows(), 0};
    if (const auto row = table.currentRowId())
        snapshot.current = table.creationNumber(*row);
    return snapshot;
}

QList<QList<int>> linkTriples(const RecordTable& links)
{
    QList<QList<int>> out;
    for (int p = 0; p < links.recordCount(); ++p) {
        const RowId row = links.rowAt(p);
        out.push_back({links.integerAt(row, LinkField::id1), links.integerAt(row, LinkField::id2),
                       links.integerAt(row, LinkField::rel)});
    }
    return out;
}

QStringList gridTexts(const QTableView* grid, int column)
{
    QStringList out;
    for (int r = 0; r < grid->model()->rowCount(); ++r)
        out << grid->model()->index(r, column).data().toString();
    return out;
}

QString writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(content);
    return path;
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

ProcessResult runApplication(const QStringList& arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(ARBOLITUS_EXECUTABLE), arguments);
    ProcessResult result;
    if (!process.waitForFinished(30000))
        return result;
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

const QByteArray pedigreeGedcom = "0 HEAD\n1 CHAR UTF-8\n"
                                  "0 @I1@ INDI\n1 NAME Роман Петрович /Орлов/\n1 SEX M\n"
                                  "0 @I2@ INDI\n1 NAME Пётр Ильич /Орлов/\n1 SEX M\n"
                                  "0 @I3@ INDI\n1 NAME Вера Павловна /Орлова/\n1 SEX F\n"
                                  "0 @I4@ INDI\n1 NAME Илья /Орлов/\n1 SEX M\n"
                                  "0 @I5@ INDI\n1 NAME Ольга /Орлова/\n1 SEX F\n"
                                  "0 @I6@ INDI\n1 NAME Павел /Седов/\n1 SEX M\n"
                                  "0 @I7@ INDI\n1 NAME Нина /Седова/\n1 SEX F\n"
                                  "0 @F1@ FAM\n1 HUSB @I2@\n1 WIFE @I3@\n1 CHIL @I1@\n"
                                  "0 @F2@ FAM\n1 HUSB @I4@\n1 WIFE @I5@\n1 CHIL @I2@\n"
                                  "0 @F3@ FAM\n1 HUSB @I6@\n1 WIFE @I7@\n1 CHIL @I3@\n"
                                  "0 TRLR\n";

WindowTest::FreshSettings::FreshSettings()
{
    applicationSettings().clear();
}

WindowTest::WindowTest() : form(platform)
{
    form.createSecondaryWindows();
    form.show();
}

QString WindowTest::caption() const
{
    return form.windowTitle().remove(QStringLiteral("[*]"));
}

void WindowTest::openCard(int num)
{
    form.selectTab(TForm1::ListMode);
    s.persons.locate(PersonField::num, num);
    form.list().DBGrid1Open();
}

void WindowTest::rightClick(QTableView* grid, int line)
{
    const QPoint pos = line < 0 ? QPoint(5, grid->viewport()->height() - 2)
                                : grid->visualRect(grid->model()->index(line, 0)).center();
    Q_EMIT grid->customContextMenuRequested(pos);
}
