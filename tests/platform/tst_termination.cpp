#include "test_main.h"

#include "store/clip_json.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>

#include <csignal>

// The desktop session ends the program with a signal shortly after a change: the pending
// history save must reach the disk, and the process must end normally.
class TestTermination : public QObject
{
    Q_OBJECT
private slots:
    void changeSurvivesSignal_data()
    {
        QTest::addColumn<int>("signalNumber");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGINT") << SIGINT;
        QTest::newRow("SIGHUP") << SIGHUP;
    }

    void changeSurvivesSignal()
    {
        QFETCH(int, signalNumber);
        const QString history = QDir::homePath() + QStringLiteral("/.local/share/Quillo/clipboard-history.json");
        QFile::remove(history);

        QProcess probe;
        probe.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        probe.start(QCoreApplication::applicationDirPath() + QStringLiteral("/termination_probe"), {});
        QVERIFY(probe.waitForStarted(10000));
        QByteArray line;
        QTRY_VERIFY_WITH_TIMEOUT((line += probe.readAll()).contains('\n'), 20000);
        QVERIFY2(line.startsWith("ready "), line.constData());
        const QByteArray id = line.mid(6).trimmed();

        // The probe's clock never moves: its change is still waiting for the debounce, and only the
        // flush on quit can write it.
        QVERIFY(!QFile::exists(history));
        QCOMPARE(::kill(pid_t(probe.processId()), signalNumber), 0);
        QVERIFY(probe.waitForFinished(20000));
        QCOMPARE(probe.exitStatus(), QProcess::NormalExit);
        QCOMPARE(probe.exitCode(), 0);

        QFile file(history);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const auto clips = ClipJson::decodeClips(file.readAll());
        QVERIFY(clips.has_value());
        QCOMPARE(clips->size(), 1);
        QCOMPARE(clips->first().id.toString(QUuid::WithoutBraces).toUpper().toLatin1(), id);
    }
};

QUILLO_TEST_GUILESS_MAIN(TestTermination)
#include "tst_termination.moc"
