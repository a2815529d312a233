#include "platform/qt_folder_chooser.h"
#include "platform/qt_translations.h"
#include "test_main.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>

// Drives the real dialog offscreen: a timer finds it once it runs modally and answers it.
class TestQtFolderChooser : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(QtTranslations::installChinese(*qApp)); }
    void dialogIsConfiguredAsAsked();
    void acceptedFolderIsReturned();

private:
    static void whenDialogShows(std::function<void(QFileDialog *)> answer)
    {
        auto *timer = new QTimer;
        timer->setInterval(10);
        QObject::connect(timer, &QTimer::timeout, timer, [timer, answer] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            timer->stop();
            timer->deleteLater();
            answer(dialog);
        });
        timer->start();
    }
};

void TestQtFolderChooser::dialogIsConfiguredAsAsked()
{
    QTemporaryDir start;
    QString title;
    QString accept;
    QString directory;
    bool dirsOnly = false;
    bool qtDialog = false;
    bool mayCreate = false;
    QFileDialog::FileMode mode = QFileDialog::AnyFile;
    QStringList buttons;
    QStringList labels;
    whenDialogShows([&](QFileDialog *dialog) {
        for (const QPushButton *button : dialog->findChild<QDialogButtonBox *>()->findChildren<QPushButton *>())
            buttons << button->text();
        for (const auto label : {QFileDialog::LookIn, QFileDialog::FileName, QFileDialog::FileType})
            labels << dialog->labelText(label);
        title = dialog->windowTitle();
        accept = dialog->labelText(QFileDialog::Accept);
        directory = dialog->directory().absolutePath();
        dirsOnly = dialog->testOption(QFileDialog::ShowDirsOnly);
        qtDialog = dialog->testOption(QFileDialog::DontUseNativeDialog);
        mayCreate = !dialog->testOption(QFileDialog::ReadOnly);
        mode = dialog->fileMode();
        dialog->reject();
    });
    QtFolderChooser chooser;
    const auto chosen =
        chooser.chooseFolder(QStringLiteral("选择 Markdown 笔记文件夹"), QStringLiteral("选择"), start.path());
    QVERIFY(!chosen);
    QCOMPARE(title, QStringLiteral("选择 Markdown 笔记文件夹"));
    QCOMPARE(accept, QStringLiteral("选择"));
    QCOMPARE(directory, start.path());
    QVERIFY(dirsOnly);
    QVERIFY(qtDialog);
    QVERIFY(mayCreate);
    QCOMPARE(mode, QFileDialog::Directory);
    // Qt's own texts are Chinese too.
    buttons.sort();
    QCOMPARE(buttons, QStringList({QStringLiteral("取消"), QStringLiteral("选择")}));
    for (const QString &label : std::as_const(labels))
        QVERIFY2(label.contains(QRegularExpression(QStringLiteral("^\\p{Han}+[：:]$"))), qPrintable(label));
}

void TestQtFolderChooser::acceptedFolderIsReturned()
{
    QTemporaryDir start;
    const QString target = start.filePath(QStringLiteral("笔记"));
    QVERIFY(QDir().mkpath(target));
    whenDialogShows([&](QFileDialog *dialog) {
        // Entering the folder (as a double click does) and accepting: selecting an entry
        // instead depends on the file model's asynchronous listing having finished.
        dialog->setDirectory(target);
        static_cast<QDialog *>(dialog)->accept(); // public in QDialog, runs QFileDialog::accept
    });
    QtFolderChooser chooser;
    const auto chosen = chooser.chooseFolder(QStringLiteral("t"), QStringLiteral("选择"), start.path());
    QVERIFY(chosen);
    QCOMPARE(QDir(*chosen).absolutePath(), target);
}

QUILLO_TEST_WIDGETS_MAIN(TestQtFolderChooser)
#include "tst_qt_folder_chooser.moc"
