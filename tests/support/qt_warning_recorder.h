// Records every warning Qt prints while it lives, so that a test can fail on any of them
// (an editor committed or closed twice prints one, for instance). Debug and info lines are
// passed on as they are.
#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace orvel::testing {

class QtWarningRecorder {
public:
    QtWarningRecorder()
    {
        Warnings().clear();
        previous_ = qInstallMessageHandler(&Record);
        Previous() = previous_;
    }
    ~QtWarningRecorder() { qInstallMessageHandler(previous_); }
    QtWarningRecorder(const QtWarningRecorder&) = delete;
    QtWarningRecorder& operator=(const QtWarningRecorder&) = delete;

    const QStringList& warnings() const { return Warnings(); }

private:
    static QStringList& Warnings()
    {
        static QStringList warnings;
        return warnings;
    }
    static QtMessageHandler& Previous()
    {
        static QtMessageHandler previous = nullptr;
        return previous;
    }
    static void Record(QtMsgType type, const QMessageLogContext& context, const QString& text)
    {
        // The offscreen platform notes what it cannot do for a popup (raise, grab the keyboard):
        // not a fault of the code under test.
        const bool platform_note = text.startsWith(QLatin1String("This plugin does not support"));
        if ((type == QtWarningMsg || type == QtCriticalMsg) && !platform_note)
            Warnings() << text;
        else if (Previous())
            Previous()(type, context, text);
    }

    QtMessageHandler previous_ = nullptr;
};

}  // namespace orvel::testing
