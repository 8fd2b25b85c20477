#pragma once

#include <QString>
#include <QStringList>

namespace model {

// The parsed command line of both front ends. A plain argument names a project file (the first
// one is opened); an argument that begins with "-" is a switch, and so is one that begins with
// "/" when a known switch follows the slash ("/BATCH", "/msg_ok=...", "/msg_feh=..."). Any other
// argument beginning with "/" is an absolute path and counts as a plain argument.
struct CMyCommandLineInfo {
    enum class ShellCommand { FileNew, FileOpen };

    // Which status message a start shows instead of the main window.
    enum class StatusMode { None, Ok, Error };

    ShellCommand Command = ShellCommand::FileNew;
    QString FileName;          // the first plain argument
    QStringList Plain;         // every plain argument, in order
    QStringList OtherSwitches; // switches without a meaning here, without their "/" or "-"
    bool Batch = false;        // a switch beginning with "batch", in any letter case
    QString OkText;            // the text after "msg_ok="
    QString ErrorText;         // the text after "msg_feh="

    static CMyCommandLineInfo Parse(const QStringList &arguments);

    // The status message to show: the ok text wins over the error text; None when both are empty.
    StatusMode GetStatusMode() const;
    QString StatusText() const;

private:
    void parseSwitch(const QString &text);
};

} // namespace model
