// The Debian package as `make package` builds it, made here from this build tree with cpack
// into a temporary folder and read back with dpkg-deb.
#include "installed_files.h"
#include "test_main.h"

#include <QProcess>
#include <QTemporaryDir>

namespace {

QString output(const QString &program, const QStringList &arguments, int *exitCode = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(120000))
        process.kill();
    if (exitCode)
        *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
}

} // namespace

class TestDebianPackage : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_package;

    QString field(const QString &name) const
    {
        return output(QStringLiteral("dpkg-deb"), {"--field", m_package, name}).trimmed();
    }

private slots:
    void initTestCase()
    {
        int exitCode = -1;
        const QString log =
            output(QStringLiteral(CPACK_COMMAND),
                   {"-G", "DEB", "--config", QStringLiteral(QUILLO_BUILD_DIR "/CPackConfig.cmake"), "-B", m_dir.path()},
                   &exitCode);
        QVERIFY2(exitCode == 0, qPrintable(log));
        const QString arch = output(QStringLiteral("dpkg"), {"--print-architecture"}).trimmed();
        m_package = m_dir.filePath(QStringLiteral("quillo_%1_%2.deb").arg(QStringLiteral(QUILLO_VERSION), arch));
        QVERIFY2(QFileInfo::exists(m_package), qPrintable(log));
    }

    void holdsExactlyTheInstalledFilesUnderUsr()
    {
        QStringList files;
        const QStringList lines = output(QStringLiteral("dpkg-deb"), {"--contents", m_package}).split('\n');
        for (const QString &line : lines) {
            if (line.startsWith(QLatin1Char('-'))) // regular files; folders start with "d"
                files << line.section(QStringLiteral("./"), 1);
        }
        QStringList expected = quilloInstalledFiles().replaceInStrings(QRegularExpression("^"), "usr/");
        files.sort();
        expected.sort();
        QCOMPARE(files, expected);
    }

    void controlFields()
    {
        QCOMPARE(field(QStringLiteral("Package")), QStringLiteral("quillo"));
        QVERIFY(!field(QStringLiteral("Maintainer")).isEmpty());
        QVERIFY(field(QStringLiteral("Description")).contains(QStringLiteral("Markdown notes")));
        const QString depends = field(QStringLiteral("Depends"));
        // From dpkg-shlibdeps: the Qt libraries the binary links, and the CJK font by hand.
        for (const char *package :
             {"fonts-noto-cjk", "libqt6widgets6", "libqt6svg6", "libqt6network6", "libwayland-client0", "libc6"})
            QVERIFY2(depends.contains(QLatin1String(package)), qPrintable(depends));
        QCOMPARE(field(QStringLiteral("Recommends")), QStringLiteral("wl-clipboard, xdg-utils, qt6-translations-l10n"));
    }

    void versionIsWhatTheProgramPrints()
    {
        const QString root = m_dir.filePath(QStringLiteral("root"));
        int exitCode = -1;
        output(QStringLiteral("dpkg-deb"), {"--extract", m_package, root}, &exitCode);
        QCOMPARE(exitCode, 0);
        const QString printed = output(root + QStringLiteral("/usr/bin/quillo"), {"--version"}, &exitCode);
        QCOMPARE(exitCode, 0);
        QCOMPARE(printed, QStringLiteral("Quillo %1\n").arg(field(QStringLiteral("Version"))));
    }
};

QUILLO_TEST_GUILESS_MAIN(TestDebianPackage)
#include "tst_debian_package.moc"
