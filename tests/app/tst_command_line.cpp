// The real `quillo` with no display: the answers that end before start-up, and the panel
// commands with no Quillo running.
#include "test_main.h"

#include <QDirIterator>
#include <QProcess>

namespace {

QStringList everythingUnder(const QString &root)
{
    QStringList paths;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext())
        paths << it.next();
    paths.sort();
    return paths;
}

} // namespace

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void answersWithoutADisplayOrAnyFile_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err"); // the start of standard error
        QTest::addColumn<QString>("display");
        const QString usage = QStringLiteral("Usage: quillo [option | command]\n");
        QTest::newRow("--version") << QStringList{"--version"} << 0 << "Quillo " QUILLO_VERSION "\n"
                                   << "" << QString();
        QTest::newRow("--help") << QStringList{"--help"} << 0 << usage << "" << QString();
        QTest::newRow("help wins over version") << QStringList{"--version", "-h"} << 0 << usage << "" << QString();
        QTest::newRow("unknown option") << QStringList{"--bogus"} << 2 << ""
                                        << "quillo: Unknown option 'bogus'.\n\nUsage: quillo [option | command]\n"
                                        << QString();
        QTest::newRow("value on a flag") << QStringList{"--version=2"} << 2 << ""
                                         << "quillo: Unexpected value after '--version'.\n\nUsage:" << QString();
        QTest::newRow("unknown word") << QStringList{"frobnicate"} << 2 << ""
                                      << "quillo: Unknown command 'frobnicate'.\n\nUsage:" << QString();
        QTest::newRow("a command and one word too many") << QStringList{"show", "now"} << 2 << ""
                                                         << "quillo: Unexpected argument 'now'.\n\nUsage:" << QString();
        QTest::newRow("hide, none running") << QStringList{"hide"} << 0 << ""
                                            << "" << QString();
        QTest::newRow("quit, none running") << QStringList{"quit"} << 0 << ""
                                            << "" << QString();
        const QString noDisplay = QStringLiteral("Quillo 需要桌面会话");
        QTest::newRow("show without a display") << QStringList{"show"} << 1 << "" << noDisplay << QString();
        QTest::newRow("toggle without a display") << QStringList{"toggle"} << 1 << "" << noDisplay << QString();
        // A display that is set but unusable: the lock and the socket would be made before
        // the display fails, were the command line read too late.
        QTest::newRow("unknown option, DISPLAY set") << QStringList{"--bogus"} << 2 << ""
                                                     << "quillo: Unknown option 'bogus'."
                                                     << ":4242";
    }
    void answersWithoutADisplayOrAnyFile()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QFETCH(QString, display);
        const QString root = QDir::homePath() + QStringLiteral("/..");
        const QStringList before = everythingUnder(root);

        QProcess quillo;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QLatin1String(name));
        if (!display.isEmpty())
            env.insert(QStringLiteral("DISPLAY"), display);
        quillo.setProcessEnvironment(env);
        quillo.start(QStringLiteral(QUILLO_BINARY), arguments);
        QVERIFY(quillo.waitForFinished(10000));
        QCOMPARE(quillo.exitStatus(), QProcess::NormalExit);
        QCOMPARE(quillo.exitCode(), exitCode);
        const QString stdOut = QString::fromUtf8(quillo.readAllStandardOutput());
        const QString stdErr = QString::fromUtf8(quillo.readAllStandardError());
        if (out.startsWith(QLatin1String("Usage:")))
            QVERIFY2(stdOut.startsWith(out) && stdOut.contains(QStringLiteral("--version"))
                         && stdOut.contains(QStringLiteral("  toggle "))
                         && stdOut.contains(QStringLiteral("Exit status")),
                     qPrintable(stdOut));
        else
            QCOMPARE(stdOut, out);
        if (err.isEmpty())
            QVERIFY2(stdErr.isEmpty(), qPrintable(stdErr));
        else
            QVERIFY2(stdErr.startsWith(err), qPrintable(stdErr));
        QCOMPARE(everythingUnder(root), before);
    }
};

QUILLO_TEST_GUILESS_MAIN(TestCommandLine)
#include "tst_command_line.moc"
