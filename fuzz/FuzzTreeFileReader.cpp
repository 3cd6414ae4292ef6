// libFuzzer target: any bytes, written to a file and opened as "Открыть…" and
// "--open" do, then every table of an opened tree dumped.
#include "store/TableDump.h"
#include "treefile/TreeFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fuzz.arbolitus"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    file.write(reinterpret_cast<const char*>(data), qint64(size));
    file.close();
    auto opened = openTreeFile(path);
    if (OpenedTree* tree = std::get_if<OpenedTree>(&opened))
        for (const TreeFileTable& t : treeFileTables())
            dumpTable((*tree->store).*t.table, QString::fromLatin1(t.name));
    return 0;
}
