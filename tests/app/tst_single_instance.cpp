// The single-instance socket as another process sees it: the known commands are answered
// and carried out, anything else is dropped without an answer.
#include "app/single_instance.h"
#include "test_main.h"

#include <QFile>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <future>

Q_DECLARE_METATYPE(PanelCommand)

class TestSingleInstance : public QObject
{
    Q_OBJECT
private slots:
    void linesOnTheSocket_data()
    {
        QTest::addColumn<QByteArray>("sent");
        QTest::addColumn<bool>("answered");
        QTest::addColumn<PanelCommand>("command");
        QTest::newRow("toggle") << QByteArray("toggle\n") << true << PanelCommand::toggle;
        QTest::newRow("quit") << QByteArray("quit\n") << true << PanelCommand::quit;
        QTest::newRow("a bare launch") << QByteArray("reveal\n") << true << PanelCommand::reveal;
        QTest::newRow("unknown") << QByteArray("rm -rf\n") << false << PanelCommand::reveal;
        QTest::newRow("other case") << QByteArray("TOGGLE\n") << false << PanelCommand::reveal;
        QTest::newRow("two commands at once") << QByteArray("show\nhide\n") << false << PanelCommand::reveal;
        QTest::newRow("a long line") << QByteArray(4096, 'x') << false << PanelCommand::reveal;
    }
    void linesOnTheSocket()
    {
        QFETCH(QByteArray, sent);
        QFETCH(bool, answered);
        QTemporaryDir dir;
        const QString socketPath = dir.filePath(QStringLiteral("quillo.socket"));
        SingleInstance instance(dir.path(), socketPath);
        QCOMPARE(instance.tryAcquire(), SingleInstance::Lock::acquired);
        QVERIFY(instance.listen());
        QSignalSpy commands(&instance, &SingleInstance::commandReceived);

        QLocalSocket peer;
        peer.connectToServer(socketPath);
        QVERIFY(peer.waitForConnected(1000));
        peer.write(sent);
        QByteArray answer;
        QTRY_VERIFY_WITH_TIMEOUT((answer += peer.readAll(), peer.state() == QLocalSocket::UnconnectedState), 5000);
        answer += peer.readAll();
        QCOMPARE(answer, answered ? QByteArray("ok\n") : QByteArray());
        QCOMPARE(commands.count(), answered ? 1 : 0);
        if (answered)
            QTEST(commands.constFirst().constFirst().value<PanelCommand>(), "command");
    }

    // What a later launch gets back: nobody there (also when a crash left a file behind), or
    // the command carried out; a second process never gets the lock.
    void askingTheRunningOne()
    {
        QTemporaryDir dir;
        const QString socketPath = dir.filePath(QStringLiteral("quillo.socket"));
        QCOMPARE(SingleInstance::ask(socketPath, PanelCommand::hide), SingleInstance::Answer::noneRunning);
        QFile(socketPath).open(QIODevice::WriteOnly); // a file in the socket's place
        QCOMPARE(SingleInstance::ask(socketPath, PanelCommand::hide), SingleInstance::Answer::noneRunning);

        SingleInstance running(dir.path(), socketPath);
        QCOMPARE(running.tryAcquire(), SingleInstance::Lock::acquired);
        QVERIFY(running.listen());
        QCOMPARE(SingleInstance(dir.path(), socketPath).tryAcquire(), SingleInstance::Lock::heldByAnother);
        QSignalSpy commands(&running, &SingleInstance::commandReceived);
        // ask() blocks, so it runs beside the event loop that answers it.
        std::future<SingleInstance::Answer> answer = std::async(
            std::launch::async, [&socketPath] { return SingleInstance::ask(socketPath, PanelCommand::show); });
        QTRY_VERIFY_WITH_TIMEOUT(answer.wait_for(std::chrono::seconds(0)) == std::future_status::ready, 5000);
        QCOMPARE(answer.get(), SingleInstance::Answer::done);
        QCOMPARE(commands.count(), 1);
    }
};

QUILLO_TEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_single_instance.moc"
