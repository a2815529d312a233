#include "persistence_queue.h"

#include <QMetaObject>
#include <QSemaphore>

PersistenceQueue::PersistenceQueue(const QString &name, QObject *parent)
    : QObject(parent)
{
    m_thread.setObjectName(name);
    m_worker = new QObject;
    m_worker->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    m_thread.start(QThread::LowPriority);
}

PersistenceQueue::~PersistenceQueue()
{
    drain();
    m_thread.quit();
    m_thread.wait();
}

void PersistenceQueue::post(std::function<void()> task)
{
    QMetaObject::invokeMethod(m_worker, std::move(task), Qt::QueuedConnection);
}

void PersistenceQueue::drain()
{
    if (!m_thread.isRunning())
        return;
    QSemaphore done;
    post([&done] { done.release(); });
    done.acquire();
}
