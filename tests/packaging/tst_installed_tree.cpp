// `cmake --install` into a temporary DESTDIR, as `make install` does: the files, their
// validators, and the installed program run from a copy of the tree in another folder, with
// the source and build trees hidden when the system lets us.
#include "installed_files.h"
#include "test_files.h"
#include "test_main.h"

#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTemporaryDir>

namespace {

constexpr int kWaitMs = 10000;

struct Run
{
    int exitCode = -1;
    QString output; // standard output and error together
};

Run run(const QString &program, const QStringList &arguments, const QProcessEnvironment &env = {})
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    if (!env.isEmpty())
        process.setProcessEnvironment(env);
    process.start(program, arguments);
    if (!process.waitForFinished(60000))
        process.kill();
    Run result;
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.output = QString::fromUtf8(process.readAll());
    return result;
}

// The id of the first mapped window titled exactly "Quillo" (the panel; the tab has another title).
QString visiblePanel()
{
    return run(QStringLiteral("xdotool"), {"search", "--onlyvisible", "--name", "^Quillo$"})
        .output.section(QLatin1Char('\n'), 0, 0)
        .trimmed();
}

QStringList filesUnder(const QString &root)
{
    QStringList files;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next().mid(root.size() + 1);
    files.sort();
    return files;
}

} // namespace

class TestInstalledTree : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString stage() const { return m_dir.filePath(QStringLiteral("stage")); }
    QString prefix() const { return stage() + QStringLiteral("/usr"); }
    QString installed(const QString &relative) const { return prefix() + QLatin1Char('/') + relative; }

private slots:
    void initTestCase()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DESTDIR"), stage());
        const Run install = run(QStringLiteral(CMAKE_COMMAND),
                                {"--install", QStringLiteral(QUILLO_BUILD_DIR), "--prefix", "/usr"}, env);
        QVERIFY2(install.exitCode == 0, qPrintable(install.output));
    }

    void installsExactlyTheProgramAndItsDesktopFiles()
    {
        QStringList expected = quilloInstalledFiles();
        expected.sort();
        QCOMPARE(filesUnder(stage()), QStringList(expected).replaceInStrings(QRegularExpression("^"), "usr/"));
        QVERIFY(QFileInfo(installed(QStringLiteral("bin/quillo"))).isExecutable());
    }

    void desktopEntryAndMetadataValidate()
    {
        const Run desktop = run(QStringLiteral("desktop-file-validate"),
                                {installed(QStringLiteral("share/applications/" QUILLO_APP_ID ".desktop"))});
        QVERIFY2(desktop.exitCode == 0 && desktop.output.isEmpty(), qPrintable(desktop.output));
        const QString metainfo = installed(QStringLiteral("share/metainfo/" QUILLO_APP_ID ".metainfo.xml"));
        const Run appstream = run(QStringLiteral("appstreamcli"), {"validate", "--no-net", metainfo});
        QVERIFY2(appstream.exitCode == 0, qPrintable(appstream.output));

        // The release named in the metadata is the program's own version.
        const Run version = run(installed(QStringLiteral("bin/quillo")), {"--version"});
        QFile file(metainfo);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString release = QRegularExpression(QStringLiteral("<release version=\"([^\"]+)\""))
                                    .match(QString::fromUtf8(file.readAll()))
                                    .captured(1);
        QCOMPARE(version.output.trimmed(), QStringLiteral("Quillo ") + release);
    }

    void iconsRenderAtTheirSizes_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("size");
        QTest::newRow("48") << "share/icons/hicolor/48x48/apps/" QUILLO_APP_ID ".png" << 48;
        QTest::newRow("128") << "share/icons/hicolor/128x128/apps/" QUILLO_APP_ID ".png" << 128;
    }
    void iconsRenderAtTheirSizes()
    {
        QFETCH(QString, path);
        QFETCH(int, size);
        const QImage image(installed(path));
        QCOMPARE(image.size(), QSize(size, size));
        QVERIFY(image.hasAlphaChannel());
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);                 // the corners stay clear
        QCOMPARE(qAlpha(image.pixel(size / 2, size / 2)), 255); // the tile is drawn
        QSvgRenderer svg(installed(QStringLiteral("share/icons/hicolor/scalable/apps/" QUILLO_APP_ID ".svg")));
        QVERIFY(svg.isValid());
        QCOMPARE(svg.defaultSize(), QSize(128, 128));
    }

    void installedCopyRunsRecordsACopyAndNamesItsEntry();
};

void TestInstalledTree::installedCopyRunsRecordsACopyAndNamesItsEntry()
{
    const QString elsewhere = m_dir.filePath(QStringLiteral("elsewhere"));
    QVERIFY(QDir().mkpath(elsewhere));
    QCOMPARE(run(QStringLiteral("cp"), {"-a", prefix(), elsewhere}).exitCode, 0);
    const QString binary = elsewhere + QStringLiteral("/usr/bin/quillo");

    // A private mount namespace with an empty folder over the source tree (and the build tree
    // inside it) proves the program reads nothing from there; without that right, the copy
    // in another folder has to do.
    const QString source = QStringLiteral(QUILLO_SOURCE_DIR);
    const QString hide = QStringLiteral("mount -t tmpfs quillo-hidden \"$1\" && test ! -e \"$1/CMakeLists.txt\"");
    QString program = binary;
    QStringList arguments;
    if (run(QStringLiteral("unshare"), {"-m", "--propagation", "private", "sh", "-c", hide, "sh", source}).exitCode
        == 0) {
        program = QStringLiteral("unshare");
        arguments =
            QStringList{"-m", "--propagation", "private", "sh", "-c", hide + " && exec \"$2\"", "sh", source, binary};
    } else {
        qInfo("cannot hide the source tree here (no mount namespace); running the copy as it is");
    }

    QProcess quillo;
    quillo.setProcessChannelMode(QProcess::ForwardedChannels);
    quillo.setWorkingDirectory(elsewhere);
    quillo.start(program, arguments);
    QVERIFY(quillo.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(!visiblePanel().isEmpty(), kWaitMs);
    const QString panel = visiblePanel();
    const QString props = run(QStringLiteral("xprop"), {"-id", panel, "WM_CLASS", "_NET_WM_ICON"}).output;
    QVERIFY2(props.contains(QStringLiteral("\"quillo\", \"Quillo\"")), qPrintable(props));
    QVERIFY2(props.contains(QStringLiteral("_NET_WM_ICON(CARDINAL) = ")), qPrintable(props.left(300)));

    const QString text = QStringLiteral("copied to the installed Quillo 5e2a");
    QProcess xclip;
    xclip.start(QStringLiteral("xclip"), {"-selection", "clipboard", "-i"});
    QVERIFY(xclip.waitForStarted());
    xclip.write(text.toUtf8());
    xclip.closeWriteChannel();
    QVERIFY(xclip.waitForFinished(kWaitMs));
    const QString history = qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/Quillo/clipboard-history.json");
    QTRY_VERIFY_WITH_TIMEOUT(QString::fromUtf8(TestFiles::readFile(history)).contains(text), kWaitMs);

    quillo.terminate();
    QVERIFY(quillo.waitForFinished(kWaitMs));
    QCOMPARE(quillo.exitCode(), 0);
}

QUILLO_TEST_X11_MAIN(TestInstalledTree)
#include "tst_installed_tree.moc"
