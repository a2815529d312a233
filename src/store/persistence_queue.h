#pragma once

#include <QObject>
#include <QThread>
#include <functional>

// One serial worker thread, "com.quillo.persistence" unless named otherwise. Tasks run one at
// a time in the order they were posted, so an older history snapshot can never land after a
// newer one.
class PersistenceQueue : public QObject
{
    Q_OBJECT
public:
    explicit PersistenceQueue(QObject *parent = nullptr)
        : PersistenceQueue(QStringLiteral("com.quillo.persistence"), parent)
    {
    }
    explicit PersistenceQueue(const QString &name, QObject *parent = nullptr);
    ~PersistenceQueue() override; // drains, then stops the thread

    void post(std::function<void()> task);
    // Blocks until every task posted before this call has run.
    void drain();

private:
    QThread m_thread;
    QObject *m_worker = nullptr; // lives on m_thread
};
