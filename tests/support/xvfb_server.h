#pragma once

#include <QString>
#include <sys/types.h>

// A private virtual X server for one test process. Xvfb picks a free display itself
// (-displayfd), so tests never collide with a display another program owns.
class XvfbServer
{
public:
    XvfbServer(int width = 1440, int height = 900);
    ~XvfbServer();
    XvfbServer(const XvfbServer &) = delete;
    XvfbServer &operator=(const XvfbServer &) = delete;

    bool isRunning() const { return m_pid > 0 && !m_display.isEmpty(); }
    QString display() const { return m_display; } // ":N"; also exported as DISPLAY

private:
    pid_t m_pid = -1;
    QString m_display;
};
