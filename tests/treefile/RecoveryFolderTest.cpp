#include "support/TestHelpers.h"
#include "treefile/RecoveryCopy.h"
#include "treefile/TreeFile.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

class RecoveryFolder : public WindowTest {
protected:
    QStringList folderFiles() const
    {
        return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    }

    const QString own = form.recoveryCopy()->path();
    const QString folder = QFileInfo(own).absolutePath();
};

} // namespace

// At start what gone instances left half done is cleared away, and a copy
// that does not open is asked about once, then kept aside for good.
TEST_F(RecoveryFolder, LeftoversGoAndACopyThatDoesNotOpenIsAskedAboutOnce)
{
    writeFile(folder + "/сирота.path", "/дом/древо.arbolitus");
    writeFile(folder + "/.сирота.arbolitus.tmp-killed", "обрывок");
    writeFile(folder + "/битая.arbolitus", "не база данных");
    writeFile(folder + "/битая.path", "/дом/битое.arbolitus");

    platform.yesNoAnswers = {true};
    form.offerRecoveryCopies();
    ASSERT_EQ(platform.yesNoQuestions.size(), 1);
    EXPECT_TRUE(platform.lastMessage().contains(QStringLiteral("битая.arbolitus"))) << platform.lastMessage().toStdString();
    for (const QString& name : folderFiles())
        EXPECT_FALSE(name.contains(QStringLiteral("сирота")) || name.contains(QStringLiteral("битая"))) << name.toStdString();
    EXPECT_EQ(readFile(recoveryAsideFolder() + "/битая.arbolitus"), QByteArray("не база данных"));

    for (const StaleRecoveryCopy& copy : staleRecoveryCopies())
        EXPECT_FALSE(copy.path.contains(QStringLiteral("битая")));
    QFile::remove(recoveryAsideFolder() + "/битая.arbolitus");
}
