// The autostart entry on real files in a temporary config folder, checked with Debian's
// desktop-file-validate. The settings card's test drives the same class through the switch.
#include "platform/autostart_entry.h"
#include "test_files.h"
#include "test_main.h"

#include <QProcess>
#include <QTemporaryDir>

namespace {

// desktop-file-validate's complaints; "" for a valid entry.
QString validationErrors(const QString &path)
{
    QProcess validate;
    validate.setProcessChannelMode(QProcess::MergedChannels);
    validate.start(QStringLiteral("desktop-file-validate"), {path});
    if (!validate.waitForFinished(10000))
        return QStringLiteral("desktop-file-validate did not run");
    const QString output = QString::fromUtf8(validate.readAll());
    return validate.exitCode() == 0 && !output.contains(QStringLiteral("error")) ? QString() : output;
}

QString execLine(const QString &path)
{
    const QStringList lines = QString::fromUtf8(TestFiles::readFile(path)).split(QLatin1Char('\n'));
    for (const QString &line : lines)
        if (line.startsWith(QStringLiteral("Exec=")))
            return line.mid(5);
    return {};
}

} // namespace

class TestAutostartEntry : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString config() const { return m_dir.filePath(QStringLiteral("config")); }
    QString folder() const { return config() + QStringLiteral("/autostart"); }

private slots:
    void init() { QDir(config()).removeRecursively(); }

    void onWritesAValidEntryThatStartsThisExecutable_data()
    {
        QTest::addColumn<QString>("executable");
        QTest::addColumn<QString>("exec"); // the Exec line as written in the file
        QTest::newRow("plain") << "/usr/bin/quillo"
                               << "/usr/bin/quillo";
        QTest::newRow("space") << "/opt/My Apps/quillo"
                               << "\"/opt/My Apps/quillo\"";
        QTest::newRow("quote, dollar, backquote") << "/opt/a\"b$c`d/quillo"
                                                  << "\"/opt/a\\\\\"b\\\\$c\\\\`d/quillo\"";
        QTest::newRow("backslash") << "/opt/a\\b/quillo"
                                   << "\"/opt/a\\\\\\\\b/quillo\"";
        QTest::newRow("percent") << "/opt/100%/quillo"
                                 << "/opt/100%%/quillo";
        QTest::newRow("Chinese, apostrophe") << "/home/用户/it's/quillo"
                                             << "\"/home/用户/it's/quillo\"";
    }
    void onWritesAValidEntryThatStartsThisExecutable()
    {
        QFETCH(QString, executable);
        QFETCH(QString, exec);
        AutostartEntry entry(executable, config());
        QVERIFY(!entry.isEnabled());
        QCOMPARE(entry.setEnabled(true), QString());
        QCOMPARE(entry.filePath(), folder() + QStringLiteral("/com.quillo.Quillo.desktop"));
        QVERIFY(entry.isEnabled());
        QCOMPARE(execLine(entry.filePath()), exec);
        QCOMPARE(entry.startedProgram(), executable);
        const QString errors = validationErrors(entry.filePath());
        QVERIFY2(errors.isEmpty(), qPrintable(errors));
    }

    void existingEntriesAreRead_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QString>("program");
        QTest::newRow("another program") << QByteArray("[Desktop Entry]\nType=Application\nExec=/opt/old/quillo --x\n")
                                         << true << "/opt/old/quillo";
        QTest::newRow("copied from the menu") << QByteArray("[Desktop Entry]\nExec=quillo\n") << true << "quillo";
        QTest::newRow("Exec in another group only")
            << QByteArray("[Desktop Entry]\nName=Q\n[Desktop Action x]\nExec=/bin/false\n") << true << "";
        QTest::newRow("hidden") << QByteArray("[Desktop Entry]\nExec=quillo\nHidden=true\n") << false << "";
        QTest::newRow("GNOME's switch off")
            << QByteArray("[Desktop Entry]\nExec=quillo\nX-GNOME-Autostart-enabled=false\n") << false << "";
    }
    void existingEntriesAreRead()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, enabled);
        QFETCH(QString, program);
        AutostartEntry entry(QStringLiteral("/usr/bin/quillo"), config());
        TestFiles::writeFile(entry.filePath(), text);
        QCOMPARE(entry.isEnabled(), enabled);
        QCOMPARE(entry.startedProgram(), program);
    }

    // Tests run as root, for whom no folder is read-only: a file where the folder should be,
    // and a place where no folder can be made, stand in for it.
    void failedWritesSayWhyAndChangeNothing_data()
    {
        QTest::addColumn<QString>("configHome");
        QTest::addColumn<QString>("executable");
        QTest::addColumn<QString>("reason");
        QTest::newRow("a file in the way") << ""
                                           << "/usr/bin/quillo"
                                           << "自启动文件夹的位置上已有一个同名文件";
        QTest::newRow("cannot be created") << "/proc/quillo-no-such-folder"
                                           << "/usr/bin/quillo"
                                           << "";
        QTest::newRow("a newline in the path") << ""
                                               << "/opt/a\nb/quillo"
                                               << "程序的路径含有自启动项无法记录的字符";
        QTest::newRow("relative path") << ""
                                       << "bin/quillo"
                                       << "程序的路径含有自启动项无法记录的字符";
    }
    void failedWritesSayWhyAndChangeNothing()
    {
        QFETCH(QString, configHome);
        QFETCH(QString, executable);
        QFETCH(QString, reason);
        const bool fileInTheWay = configHome.isEmpty() && reason.contains(QStringLiteral("同名文件"));
        if (configHome.isEmpty())
            configHome = config();
        if (fileInTheWay)
            TestFiles::writeFile(folder(), "not a folder");
        AutostartEntry entry(executable, configHome);
        const QString error = entry.setEnabled(true);
        QVERIFY2(error.startsWith(QStringLiteral("无法开启登录时启动：")), qPrintable(error));
        QVERIFY2(error.size() > 11, qPrintable(error));
        if (!reason.isEmpty())
            QVERIFY2(error.endsWith(reason), qPrintable(error));
        QVERIFY(!entry.isEnabled());
        if (fileInTheWay)
            QCOMPARE(TestFiles::readFile(folder()), QByteArray("not a folder"));
        else
            QVERIFY(!QFileInfo::exists(entry.filePath()));
    }

    void configHomeFollowsXdgConfigHome_data()
    {
        QTest::addColumn<QByteArray>("variable");
        QTest::addColumn<QString>("expected");
        QTest::newRow("absolute") << m_dir.filePath(QStringLiteral("xdg")).toUtf8()
                                  << m_dir.filePath(QStringLiteral("xdg"));
        QTest::newRow("relative is ignored") << QByteArray("relative/config") << QDir::homePath() + "/.config";
        QTest::newRow("unset") << QByteArray() << QDir::homePath() + "/.config";
    }
    void configHomeFollowsXdgConfigHome()
    {
        QFETCH(QByteArray, variable);
        QFETCH(QString, expected);
        const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
        if (variable.isEmpty())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", variable);
        AutostartEntry entry;
        qputenv("XDG_CONFIG_HOME", saved);
        QCOMPARE(entry.filePath(), expected + QStringLiteral("/autostart/com.quillo.Quillo.desktop"));
        QCOMPARE(entry.thisProgram(), QCoreApplication::applicationFilePath());
    }
};

QUILLO_TEST_GUILESS_MAIN(TestAutostartEntry)
#include "tst_autostart_entry.moc"
