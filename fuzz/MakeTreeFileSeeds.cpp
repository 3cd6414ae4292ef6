// Writes the tree-file reader's seed corpus: small trees saved as the program
// saves them, one with every field kind and edge value, one empty, one with a
// long text and legend pictures. Usage: make-treefile-seeds DIR
#include "treefile/TreeFile.h"

#include <QDir>
#include <QGuiApplication>
#include <cstdio>

namespace {

void fillFamily(GenealogyStore& s)
{
    s.persons.insertRecord({1, "Сидоров", "Иван", "Петрович", "", true, "12.01.1900", "Москва", "1950", "Тула", false});
    s.persons.insertRecord({2, "Сидорова", "Анна", "", "", false});
    s.persons.insertRecord({3, "", "Пётр", "", "", true, "ОКОЛО 1930 "});
    s.links.insertRecord({1, 3, 1});
    s.links.insertRecord({1, 2, 2});
    s.events.insertRecord({0, "Рождение", "12.01.1900", "Москва"});
    s.participants.insertRecord({0, 1, "Новорожденный"});
    s.names.insertRecord({"Альтернативное", true, "Ваня /Сидоров/", 1, false});
    s.notes.insertRecord({1, false, "Заметка", "строка\nвторая\tконец", 0});
    s.notes.insertRecord({1, true, "Фото", "/дом/фото #1.jpg", 1});
    s.diagram.insertRecord({2, 850, 750, "Сидоров", "Иван Петрович", 1, false});
    s.diagram.insertRecord({1, 935, 750, "Сидорова", "Анна", 2, true});
    s.diagram.insertRecord({3, 1, 2, "", "", -1, false});
}

bool save(const GenealogyStore& store, const TreeFileDiagram& diagram, const QString& path)
{
    const std::optional<QString> error = saveTreeFile(store, diagram, path);
    if (error)
        std::fprintf(stderr, "%s\n", error->toUtf8().constData());
    return !error;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "Usage: make-treefile-seeds DIR\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(dir.path());
    GenealogyStore empty, family, long_;
    fillFamily(family);
    long_.notes.insertRecord({1, false, "Длинная", QString(3000, QChar(u'ж')), 0});
    TreeFileDiagram pictures;
    pictures.malePicture = QImage(4, 4, QImage::Format_RGB32);
    pictures.malePicture.fill(Qt::red);
    pictures.femalePicture = pictures.malePicture;
    pictures.horzRange = 2000;
    pictures.vertRange = 1500;
    const bool ok = save(empty, {}, dir.filePath("empty.arbolitus")) && save(family, {}, dir.filePath("family.arbolitus"))
                    && save(long_, pictures, dir.filePath("long.arbolitus"));
    return ok ? 0 : 1;
}
