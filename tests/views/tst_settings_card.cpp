// The settings card's "登录时启动" row over a real autostart entry in a temporary folder.
#include "notes_page_fixture.h"
#include "test_files.h"
#include "test_main.h"

#include "platform/autostart_entry.h"
#include "views/root/settings_card.h"
#include "views/root/settings_row.h"
#include "views/widgets/toggle_switch.h"

#include <QLabel>
#include <QTemporaryDir>

class TestSettingsCard : public QObject
{
    Q_OBJECT

    std::unique_ptr<NotesPageFixture> m_fx;
    QTemporaryDir m_config;
    std::unique_ptr<AutostartEntry> m_entry;
    std::unique_ptr<SettingsCard> m_card;

    QString entryPath() const { return m_entry->filePath(); }
    QString program() const { return QCoreApplication::applicationFilePath(); }

    void showCard()
    {
        m_card = std::make_unique<SettingsCard>(*m_fx->store, SettingsCardStyle::standard());
        m_card->setLoginStartup(m_entry.get());
        m_card->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_card.get()));
    }
    void reopenCard()
    {
        m_card->hide();
        m_card->show();
    }
    ToggleSwitch *loginSwitch() const { return m_card->loginSwitch(); }
    void click() { QTest::mouseClick(loginSwitch(), Qt::LeftButton); }
    QString note() const { return m_card->loginNote()->isVisible() ? m_card->loginNote()->text() : QString(); }

private slots:
    void init()
    {
        m_fx = std::make_unique<NotesPageFixture>();
        QDir(m_config.path()).removeRecursively();
        m_entry = std::make_unique<AutostartEntry>(program(), m_config.path());
    }
    void cleanup() { m_card.reset(); }

    void onWritesTheEntryAndOffRemovesOnlyIt()
    {
        showCard();
        QVERIFY(!loginSwitch()->isChecked()); // nothing is turned on by itself
        QVERIFY(!QFileInfo::exists(entryPath()));
        click();
        QVERIFY(loginSwitch()->isChecked());
        QCOMPARE(m_entry->startedProgram(), program());
        QCOMPARE(note(), QString());

        const QString other = QFileInfo(entryPath()).absolutePath() + QStringLiteral("/other.desktop");
        TestFiles::writeFile(other, "[Desktop Entry]\n");
        click();
        QVERIFY(!loginSwitch()->isChecked());
        QVERIFY(!QFileInfo::exists(entryPath()));
        QVERIFY(QFileInfo::exists(other));
    }

    void anotherProgramsEntryShowsOnAndIsReplacedOnlyByOffThenOn()
    {
        const QByteArray foreign = "[Desktop Entry]\nType=Application\nName=Quillo\nExec=/opt/old/quillo\n";
        TestFiles::writeFile(entryPath(), foreign);
        showCard();
        QVERIFY(loginSwitch()->isChecked());
        QCOMPARE(note(), QStringLiteral("登录时启动的是 /opt/old/quillo"));
        QCOMPARE(TestFiles::readFile(entryPath()), foreign);

        click();
        QVERIFY(!QFileInfo::exists(entryPath()));
        click();
        QVERIFY(loginSwitch()->isChecked());
        QCOMPARE(m_entry->startedProgram(), program());
        QCOMPARE(note(), QString());
    }

    // As root no folder is read-only: a file where the autostart folder belongs does the same.
    void failedWriteShowsTheReasonAndLeavesTheSwitchOff()
    {
        const QString folder = QFileInfo(entryPath()).absolutePath();
        TestFiles::writeFile(folder, "in the way");
        showCard();
        const int height = m_card->height();
        click();
        QVERIFY(!loginSwitch()->isChecked());
        QCOMPARE(note(), QStringLiteral("无法开启登录时启动：自启动文件夹的位置上已有一个同名文件"));
        QVERIFY(m_card->height() > height); // the card grows to show it
        QCOMPARE(TestFiles::readFile(folder), QByteArray("in the way"));

        reopenCard(); // the message is about the last attempt only
        QCOMPARE(note(), QString());
    }

    void changesMadeElsewhereShowWhenTheCardOpens()
    {
        showCard();
        QVERIFY(!loginSwitch()->isChecked());
        QCOMPARE(AutostartEntry(program(), m_config.path()).setEnabled(true), QString());
        reopenCard();
        QVERIFY(loginSwitch()->isChecked());
        QVERIFY(QFile::remove(entryPath()));
        reopenCard();
        QVERIFY(!loginSwitch()->isChecked());
    }
};

QUILLO_TEST_WIDGETS_MAIN(TestSettingsCard)
#include "tst_settings_card.moc"
