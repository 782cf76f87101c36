#pragma once
// One editor per desktop session: the first instance listens on a local socket named after
// the user and the display; a later start finds it answering and ends.
#include <QLocalServer>
#include <QString>

namespace qeltra3k::ui {

// "qeltra3k-editor-<user>-<display>", with every character that is not a letter, digit, '-'
// or '_' replaced, so the name is always a plain socket file name.
QString InstanceName();

class SingleInstance {
public:
    explicit SingleInstance(QString name = InstanceName());
    // True when this process is now the only instance; false when another one answers.
    // A socket left behind by a crashed instance does not count as one.
    bool Acquire();
    bool Held() const { return server_.isListening(); }

private:
    QString name_;
    QLocalServer server_;
};

}  // namespace qeltra3k::ui
