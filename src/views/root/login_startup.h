#pragma once

#include <QString>

// Whether Quillo starts with the desktop session: read and changed by the settings card's
// "登录时启动" switch. The platform keeps it as an XDG autostart entry.
class LoginStartup
{
public:
    virtual ~LoginStartup() = default;

    // True while an entry starts Quillo at login, whichever program it names.
    virtual bool isEnabled() const = 0;
    // The program the entry starts ("" when there is none or it cannot be read), and the
    // program this process runs from, so the card can say when the two differ.
    virtual QString startedProgram() const = 0;
    virtual QString thisProgram() const = 0;
    // Returns "" on success, otherwise the reason in Chinese; a failed change leaves the
    // previous state in place.
    virtual QString setEnabled(bool enabled) = 0;
};
